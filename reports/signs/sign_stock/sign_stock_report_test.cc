// The sign stock report, driven through its built plug-in on small databases.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/param.h"
#include "host/printworks/report.h"
#include "host/printworks/sink.h"
#include "host/vcl/exceptions.h"
#include "reports/signs/sign_stock/sign_stock_report.h"
#include "reports/signs/sign_test_fixture.h"

namespace {

using sign_test::Data;
using sign_test::LastSet;
using sign_test::Printed;
using sign_test::Skeleton;
using testing_support::ParamList;
using testing_support::PluginHarness;

const std::map<int, std::vector<std::string>> kLinha = {
    {8, {"pDetCodigoPlaca", "pDetDescriPlaca", "pSaldoImobiliaria", "pSaldoImoveis",
         "pSaldoTotal"}}};

// Office 1 with five signs, base date 30/06/2024:
//   1 "V-01": 10 in stock; 3, 2 and 1 (on the base date) out to properties
//     101 and 102, 1 back from 101; 1 out without a property, a write-off, a
//     type-7 movement at 101 and 4 out after the base date do not count:
//     5 on properties, 5 at the agency.
//   2 (no reference): 2 out to 101, 5 back: -3 on properties, 7 at the agency.
//   3: one movement of type 5, total 0: read, never printed unless pSaldoZero.
//   4: no movement at all, 7 at the agency.
//   5: moved only after the base date, 2 at the agency.
// Office 2 has a sign of its own that never shows.
class SignStockReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& f = fixture_;
    f.Escritorio(1, "Imobiliária Central", "12.345.678/0001-90");
    f.Escritorio(2, "Filial Norte", "98.765.432/0001-10");
    f.TipoPlaca(1, "Venda");
    f.TipoPlaca(2, "Aluguel");
    f.Placa(1, 1, "V-01", 1, 0.8, 0.5, 10);
    f.Placa(1, 2, std::nullopt, 2, 1.5, 1.0, 4);
    f.Placa(1, 3, "V-03", 1, 0.8, 0.5, 0);
    f.Placa(1, 4, "V-04", 1, 0.8, 0.5, 7);
    f.Placa(1, 5, "V-05", 1, 0.8, 0.5, 2);
    f.Placa(2, 1, "N-01", 1, 0.8, 0.5, 50);

    f.Movimento(1, 1, 0, Data(2, 1, 2024), 1, 0, 10);
    f.Movimento(1, 2, 1, Data(3, 1, 2024), 1, 101, 3);
    f.Movimento(1, 3, 1, Data(4, 1, 2024), 1, 102, 2);
    f.Movimento(1, 4, 2, Data(5, 1, 2024), 1, 101, 1);
    f.Movimento(1, 5, 1, Data(6, 1, 2024), 1, 0, 1);
    f.Movimento(1, 6, 3, Data(7, 1, 2024), 1, 0, 1);
    f.Movimento(1, 7, 7, Data(8, 1, 2024), 1, 101, 9);
    f.Movimento(1, 8, 1, Data(30, 6, 2024), 1, 102, 1);  // on the base date itself
    f.Movimento(1, 9, 1, Data(1, 7, 2024), 1, 103, 4);
    f.Movimento(1, 10, 1, Data(10, 2, 2024), 2, 101, 2);
    f.Movimento(1, 11, 2, Data(11, 2, 2024), 2, 101, 5);
    f.Movimento(1, 12, 5, Data(12, 2, 2024), 3, 0, 2);
    f.Movimento(1, 13, 0, Data(2, 7, 2024), 5, 0, 2);
    f.Movimento(2, 1, 1, Data(2, 1, 2024), 1, 900, 30);
  }

  std::unique_ptr<testing_support::PluginRun> Run(const std::string& saldo_zero,
                                                  const std::string& placas = "",
                                                  const std::string& escritorio = "1") {
    return harness_.Run(ParamList{{"pCodigoEscrit", escritorio},
                                  {"pCodigoPlaca", placas},
                                  {"pDataBase", " 30/06/2024 "},
                                  {"pSaldoZero", saldo_zero}});
  }

  sign_test::SignDatabase fixture_;
  PluginHarness harness_{"SignStockReport"};
  int live_at_start_ = dataworks::TnClientDataSet::LiveCount();
};

TEST_F(SignStockReportTest, PrintsSignsWithStockAndTotalsWorkedOutByHand) {
  auto run = Run("false");
  ASSERT_FALSE(run->raised) << run->error;

  EXPECT_EQ(LastSet(*run, "pNomeEmpresa"), "0001 Imobiliária Central");
  EXPECT_EQ(LastSet(*run, "pInscrFederal"), "CNPJ: 12.345.678/0001-90");
  EXPECT_EQ(LastSet(*run, "pCabDataBase"), "30/06/2024");
  // Sign 3 is read (progress 3/3) but, all zero, not printed; 4 and 5 have
  // no movement up to the base date and are not read.
  EXPECT_EQ(Skeleton(*run), (std::vector<std::string>{"progress 1/3", "section 8",
                                                      "progress 2/3", "section 8",
                                                      "progress 3/3"}));
  EXPECT_EQ(Printed(*run, kLinha), (std::vector<std::string>{
                                       "8|00001| | V-01 | Venda | 0,50 x 0,80|5|5|10",
                                       "8|00002| | Aluguel | 1,00 x 1,50|7|3|4",
                                   }));
  EXPECT_EQ(LastSet(*run, "pTotal"), "Total");
  EXPECT_EQ(LastSet(*run, "pTotalImobiliaria"), "12");
  EXPECT_EQ(LastSet(*run, "pTotalImoveis"), "8");
  EXPECT_EQ(LastSet(*run, "pTotalGeral"), "14");
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignStockReportTest, SaldoZeroTrueReadsAndPrintsEverySignOfTheOffice) {
  auto run = Run("TRUE");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Printed(*run, kLinha), (std::vector<std::string>{
                                       "8|00001| | V-01 | Venda | 0,50 x 0,80|5|5|10",
                                       "8|00002| | Aluguel | 1,00 x 1,50|7|3|4",
                                       "8|00003| | V-03 | Venda | 0,50 x 0,80|0|0|0",
                                       "8|00004| | V-04 | Venda | 0,50 x 0,80|7|0|7",
                                       "8|00005| | V-05 | Venda | 0,50 x 0,80|2|0|2",
                                   }));
  EXPECT_EQ(LastSet(*run, "pTotalImobiliaria"), "21");
  EXPECT_EQ(LastSet(*run, "pTotalImoveis"), "8");
  EXPECT_EQ(LastSet(*run, "pTotalGeral"), "23");
}

TEST_F(SignStockReportTest, SignSelectionNarrowsSignsAndMovements) {
  auto run = Run("1", " 2-3 ");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Printed(*run, kLinha), (std::vector<std::string>{
                                       "8|00002| | Aluguel | 1,00 x 1,50|7|3|4",
                                       "8|00003| | V-03 | Venda | 0,50 x 0,80|0|0|0",
                                   }));
}

TEST_F(SignStockReportTest, NoSignToListPrintsAndSetsNothing) {
  auto run = Run("false", "", "7");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignStockReportTest, BadParametersFailBeforeAnyQuery) {
  for (const ParamList& params : {
           ParamList{{"pCodigoEscrit", "1"}, {"pDataBase", ""}, {"pSaldoZero", "false"}},
           ParamList{{"pCodigoEscrit", "1"}, {"pDataBase", "31/02/2024"}, {"pSaldoZero", "0"}},
           ParamList{{"pCodigoEscrit", "1"}, {"pDataBase", "30/06/2024"}, {"pSaldoZero", "talvez"}},
           ParamList{{"pCodigoEscrit", "1"}, {"pCodigoPlaca", "1; drop table PLACA"},
                     {"pDataBase", "30/06/2024"}, {"pSaldoZero", "0"}},
       }) {
    auto run = harness_.Run(params);
    EXPECT_TRUE(run->raised);
    EXPECT_TRUE(sign_test::OnlyTheError(*run));
  }
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignStockReportTest, FailedQueryReachesTheHostAndReleasesTheDatasets) {
  // The sign query still works; the movement query no longer does.
  fixture_.db.Exec("alter table PLACAMOVIMENTO drop OBSERVACAO");
  auto run = Run("false");
  EXPECT_TRUE(run->raised);
  EXPECT_NE(run->error.find("OBSERVACAO"), std::string::npos) << run->error;
  EXPECT_TRUE(sign_test::OnlyTheError(*run));
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

// A sink whose first section print fails, as a broken output would.
class FailingSink : public printworks::TnRecordingSink {
 public:
  void OnSection(int section, const printworks::TnpqPowerParam& params,
                 const vcl::TClientDataSet* row) override {
    TnRecordingSink::OnSection(section, params, row);
    throw vcl::Exception("falha ao imprimir");
  }
};

TEST_F(SignStockReportTest, TotalsAreSetAndDatasetsReleasedWhenTheLoopFails) {
  printworks::TnrwReport report;
  for (const auto& [name, value] : ParamList{{"pCodigoEscrit", "1"},
                                             {"pCodigoPlaca", ""},
                                             {"pDataBase", "30/06/2024"},
                                             {"pSaldoZero", "false"}}) {
    report.GetParams().AddItem(name, name, value);
  }
  FailingSink sink;
  report.SetSink(&sink);
  TSignStockReport sign_stock(&report);

  EXPECT_THROW(sign_stock.ImprimirInterno(), vcl::Exception);
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
  // Only the first sign was counted before the failure.
  auto lines = sink.Lines();
  auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("set pTotal=Total"));
  EXPECT_TRUE(has("set pTotalImobiliaria=5"));
  EXPECT_TRUE(has("set pTotalImoveis=5"));
  EXPECT_TRUE(has("set pTotalGeral=10"));
  EXPECT_EQ(lines.back(), "set pTotalGeral=10");
}

TEST(SignStockReportClass, VersionAndZebraSections) {
  PluginHarness harness("SignStockReport");
  EXPECT_EQ(harness.Class()->Versao(), "[versao: 1.0.0.0]");
  printworks::TnrwReport report;
  TSignStockReport sign_stock(&report);
  EXPECT_EQ(sign_stock.CriarListaSectionsParaZebrar(), std::vector<int>{8});
}

}  // namespace

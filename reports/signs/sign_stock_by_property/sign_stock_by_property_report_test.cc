// The sign stock by property report, driven through its built plug-in on
// small databases.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/report.h"
#include "reports/signs/sign_stock_by_property/sign_stock_by_property_report.h"
#include "reports/signs/sign_test_fixture.h"

namespace {

using sign_test::Data;
using sign_test::LastSet;
using sign_test::Printed;
using sign_test::Skeleton;
using testing_support::ParamList;
using testing_support::PluginHarness;

const std::map<int, std::vector<std::string>> kColunas = {
    {8, {"R1", "R3", "R4", "R7"}}, {10, {"R4"}}, {11, {"T1", "T2"}}};

// Office 1, base date 30/06/2024:
//   1 "V-01" (total 10): 3 out to 101, 2 to 102, 1 back from 101, 1 out
//     without a property, 4 to 103 after the base date: lines 101 (2) and
//     102 (2); 4 on properties, 6 at the agency.
//   2 (no reference, total 4): 2 out to 101 and 5 back: line 101 (-3);
//     -3 on properties, 7 at the agency.
//   3 (total 5): only an acquisition: no property lines.
class SignStockByPropertyReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& f = fixture_;
    f.Escritorio(1, "Imobiliária Central", "12.345.678/0001-90");
    f.TipoPlaca(1, "Venda");
    f.TipoPlaca(2, "Aluguel");
    f.Imovel(1, 101, "Casa", "Rua", "das Flores", "10", "", "Centro", "Campinas", "SP");
    f.Imovel(1, 102, "Apartamento", "Avenida", "Brasil", "250", "", "Jardins", "São Paulo", "SP");
    f.Placa(1, 1, "V-01", 1, 0.8, 0.5, 10);
    f.Placa(1, 2, std::nullopt, 2, 1.5, 1.0, 4);
    f.Placa(1, 3, "V-03", 1, 0.8, 0.5, 5);
    f.Movimento(1, 1, 1, Data(3, 1, 2024), 1, 101, 3);
    f.Movimento(1, 2, 1, Data(4, 1, 2024), 1, 102, 2);
    f.Movimento(1, 3, 2, Data(5, 1, 2024), 1, 101, 1);
    f.Movimento(1, 4, 1, Data(6, 1, 2024), 1, 0, 1);
    f.Movimento(1, 5, 1, Data(1, 7, 2024), 1, 103, 4);
    f.Movimento(1, 6, 1, Data(10, 2, 2024), 2, 101, 2);
    f.Movimento(1, 7, 2, Data(11, 2, 2024), 2, 101, 5);
    f.Movimento(1, 8, 0, Data(12, 2, 2024), 3, 0, 5);
  }

  std::unique_ptr<testing_support::PluginRun> Run(const std::string& escritorio,
                                                  const std::string& imoveis = "",
                                                  const std::string& placas = "") {
    return harness_.Run(ParamList{{"pCodigoEscrit", escritorio},
                                  {"pCodigoImovel", imoveis},
                                  {"pCodigoPlaca", placas},
                                  {"pDataBase", "30/06/2024"}});
  }

  sign_test::SignDatabase fixture_;
  PluginHarness harness_{"SignStockByPropertyReport"};
  int live_at_start_ = dataworks::TnClientDataSet::LiveCount();
};

TEST_F(SignStockByPropertyReportTest, PrintsEachSignWithItsPropertyLinesAndTheTotal) {
  auto run = Run("1");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(LastSet(*run, "pNomeEmpresa"), "0001 Imobiliária Central");
  EXPECT_EQ(LastSet(*run, "pInscrFederal"), "CNPJ: 12.345.678/0001-90");
  const std::string casa = "Casa - Rua das Flores, 10 - Centro - Campinas/SP";
  const std::string apto = "Apartamento - Avenida Brasil, 250 - Jardins - São Paulo/SP";
  EXPECT_EQ(
      Printed(*run, kColunas),
      (std::vector<std::string>{
          "10|Placa: 00001 V-01 | Venda",
          "8|00101|" + casa + "||2",
          "8|00102|" + apto + "||2",
          "10|*** Saldo em Imóveis: 4.     Saldo na Imobiliaria: 6.     Saldo Total: 10",
          "8||||",
          "10|Placa: 00002 Aluguel",
          "8|00101|" + casa + "||-3",
          "10|*** Saldo em Imóveis: -3.     Saldo na Imobiliaria: 7.     Saldo Total: 4",
          "8||||",
          "10|Placa: 00003 V-03 | Venda",
          "10|*** Saldo em Imóveis: 0.     Saldo na Imobiliaria: 5.     Saldo Total: 5",
          "8||||",
          "11|Total:|19",
      }));
  EXPECT_EQ(Skeleton(*run)[0], "progress 1/3");
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignStockByPropertyReportTest, PropertySelectionPicksSignsButKeepsTheirWholeBalance) {
  auto run = Run("1", "102");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Printed(*run, {{8, {"R1", "R7"}}, {10, {"R4"}}, {11, {"T2"}}}),
            (std::vector<std::string>{
                "10|Placa: 00001 V-01 | Venda",
                "8|00101|2",
                "8|00102|2",
                "10|*** Saldo em Imóveis: 4.     Saldo na Imobiliaria: 6.     Saldo Total: 10",
                "8||",
                "11|10",
            }));
}

TEST_F(SignStockByPropertyReportTest, NoSignSetsTheHeadingAndPrintsNothing) {
  auto run = Run("1", "", "50-60");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines(), (std::vector<std::string>{
                              "set pNomeEmpresa=0001 Imobiliária Central",
                              "set pInscrFederal=CNPJ: 12.345.678/0001-90",
                          }));
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignStockByPropertyReportTest, BalanceFailureReachesTheHostAndReleasesTheOffice) {
  // The office query works; the balance object's queries do not.
  fixture_.db.Exec("alter table TIPOPLACA drop DESCRICAO");
  auto run = Run("1");
  EXPECT_TRUE(run->raised);
  EXPECT_NE(run->error.find("DESCRICAO"), std::string::npos) << run->error;
  EXPECT_TRUE(sign_test::OnlyTheError(*run));
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);

  auto bad_selection = Run("1", "abc");
  EXPECT_TRUE(bad_selection->raised);
  EXPECT_EQ(bad_selection->error.rfind("Seleção inválida", 0), 0u) << bad_selection->error;
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST(SignStockByPropertyReportClass, VersionAndZebraSections) {
  PluginHarness harness("SignStockByPropertyReport");
  EXPECT_EQ(harness.Class()->Versao(), "[versao: 1.0.0.0]");
  printworks::TnrwReport report;
  TSignStockByPropertyReport by_property(&report);
  EXPECT_EQ(by_property.CriarListaSectionsParaZebrar(), (std::vector<int>{8, 9, 10, 11}));
}

}  // namespace

// The sign movement ledger, driven through its built plug-in on small
// databases.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/report.h"
#include "reports/signs/sign_movement/sign_movement_report.h"
#include "reports/signs/sign_test_fixture.h"

namespace {

using sign_test::Data;
using sign_test::LastSet;
using sign_test::Printed;
using sign_test::Skeleton;
using testing_support::ParamList;
using testing_support::PluginHarness;

const std::map<int, std::vector<std::string>> kColunas = {
    {8, {"R1", "R2", "R3", "R4", "R5", "R6"}},
    {10, {"R1", "R6"}},
    {11, {"T1", "T2", "T3", "T4"}},
    {12, {"P1"}},
    {13, {"A1", "A2"}}};

// Office 1, period March 2024.
//   1 "V-01": before the period 10 acquired, 3 out to 101, 1 back, 2 written
//     off (opening: in 11, out 5, stock 6, 2 on properties); in the period
//     2 out to 102, 1 back from 101, 1 written off, a type-7 movement and
//     3 acquired.
//   2 (no reference): nothing before; 2 back from 101 in the period.
//   3: moved in the period, but its latest movement is of type 4.
//   4: two type-4 movements (one before, one inside the period): only the
//     movement after the later one is listed; the sums before the period
//     keep every movement.
//   5: moved only before the period.
class SignMovementReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& f = fixture_;
    f.Escritorio(1, "Imobiliária Central", "12.345.678/0001-90");
    f.Escritorio(2, "Filial Norte", "98.765.432/0001-10");
    f.TipoPlaca(1, "Venda");
    f.TipoPlaca(2, "Aluguel");
    f.Imovel(1, 101, "Casa", "Rua", "das Flores", "10", "bloco A", "Centro", "São Paulo", "SP");
    f.Imovel(1, 102, "Apartamento", "Avenida", "Brasil", "250", "", "Jardins", "Campinas", "SP");
    f.Placa(1, 1, "V-01", 1, 0.8, 0.5, 10);
    f.Placa(1, 2, std::nullopt, 2, 1.5, 1.0, 4);
    f.Placa(1, 3, "V-03", 1, 0.8, 0.5, 1);
    f.Placa(1, 4, "V-04", 1, 0.8, 0.5, 7);
    f.Placa(1, 5, "V-05", 1, 0.8, 0.5, 3);
    f.Placa(2, 1, "N-01", 1, 0.8, 0.5, 9);

    f.Movimento(1, 1, 0, Data(10, 1, 2024), 1, 0, 10);
    f.Movimento(1, 2, 1, Data(15, 1, 2024), 1, 101, 3);
    f.Movimento(1, 3, 2, Data(20, 1, 2024), 1, 101, 1);
    f.Movimento(1, 4, 3, Data(25, 1, 2024), 1, 0, 2);
    f.Movimento(1, 10, 1, Data(5, 3, 2024), 1, 102, 2, "Saída para plantão");
    f.Movimento(1, 11, 2, Data(10, 3, 2024), 1, 101, 1, "Retorno");
    f.Movimento(1, 12, 3, Data(12, 3, 2024), 1, 0, 1, "Avariada");
    f.Movimento(1, 13, 7, Data(15, 3, 2024), 1, 0, 5, "Conferência");
    f.Movimento(1, 14, 0, Data(20, 3, 2024), 1, 0, 3, "Compra");

    f.Movimento(1, 20, 2, Data(2, 3, 2024), 2, 101, 2, "Devolução");

    f.Movimento(1, 30, 1, Data(5, 3, 2024), 3, 101, 1);
    f.Movimento(1, 31, 4, Data(6, 3, 2024), 3, 0, 0);

    f.Movimento(1, 39, 0, Data(15, 1, 2024), 4, 0, 2);
    f.Movimento(1, 40, 4, Data(1, 2, 2024), 4, 0, 0);
    f.Movimento(1, 41, 0, Data(2, 3, 2024), 4, 0, 9);
    f.Movimento(1, 42, 4, Data(4, 3, 2024), 4, 0, 0);
    f.Movimento(1, 43, 0, Data(10, 3, 2024), 4, 0, 5, "Reposição");

    f.Movimento(1, 50, 0, Data(10, 1, 2024), 5, 0, 3);
    f.Movimento(2, 1, 0, Data(10, 3, 2024), 1, 0, 9);
  }

  std::unique_ptr<testing_support::PluginRun> Run(const std::string& escritorio,
                                                  const std::string& imoveis = "",
                                                  const std::string& placas = "",
                                                  const std::string& inicio = "01/03/2024",
                                                  const std::string& fim = "31/03/2024") {
    return harness_.Run(ParamList{{"pCodigoEscrit", escritorio},
                                  {"pCodigoImovel", imoveis},
                                  {"pCodigoPlaca", placas},
                                  {"pDataInicial", inicio},
                                  {"pDataFinal", fim}});
  }

  sign_test::SignDatabase fixture_;
  PluginHarness harness_{"SignMovementReport"};
  int live_at_start_ = dataworks::TnClientDataSet::LiveCount();
};

const char kCasa[] = "00101  CASA - RUA DAS FLORES, 10 BLOCO A - CENTRO - SÃO PAULO/SP";
const char kApto[] = "00102  APARTAMENTO - AVENIDA BRASIL, 250 - JARDINS - CAMPINAS/SP";

TEST_F(SignMovementReportTest, PrintsTheLedgerWorkedOutByHand) {
  auto run = Run("1");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(LastSet(*run, "pNomeEmpresa"), "0001 Imobiliária Central");
  EXPECT_EQ(LastSet(*run, "pInscrFederal"), "CNPJ: 12.345.678/0001-90");
  EXPECT_EQ(
      Printed(*run, kColunas),
      (std::vector<std::string>{
          "11|Saldo Anterior|11|5|6",
          "12|Placa: 0001|V-01 | Venda | 0,50 x 0,80",
          "8|05/03/2024|Saída para plantão|" + std::string(kApto) + "||2|4",
          "8|10/03/2024|Retorno|" + std::string(kCasa) + "|1||5",
          "8|12/03/2024|Avariada|||1|4",
          "8|15/03/2024|Conferência||||4",
          "8|20/03/2024|Compra||3||7",
          "12|*** Baixas: 1.       Saldo em Imóveis: 3.       Saldo na Imobiliária: 7.       "
          "Saldo Total: 10",
          "8||||||",
          "11|Saldo Anterior|0|0|0",
          "12|Placa: 0002|Aluguel | 1,00 x 1,50",
          "8|02/03/2024|Devolução|" + std::string(kCasa) + "|2||2",
          "12|*** Baixas: 0.       Saldo em Imóveis: 2.       Saldo na Imobiliária: 2.       "
          "Saldo Total: 4",
          "8||||||",
          "11|Saldo Anterior|2|0|2",
          "12|Placa: 0004|V-04 | Venda | 0,50 x 0,80",
          "8|10/03/2024|Reposição||5||7",
          "12|*** Baixas: 0.       Saldo em Imóveis: 0.       Saldo na Imobiliária: 7.       "
          "Saldo Total: 7",
          "10||",
          "13|11|3",
      }));
  // Progress after each sign's summary; no empty line after the last sign.
  EXPECT_EQ(Skeleton(*run),
            (std::vector<std::string>{
                "section 11", "section 12", "section 8", "section 8", "section 8", "section 8",
                "section 8", "section 12", "progress 1/3", "section 8",
                "section 11", "section 12", "section 8", "section 12", "progress 2/3", "section 8",
                "section 11", "section 12", "section 8", "section 12", "progress 3/3",
                "section 10", "section 13"}));
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignMovementReportTest, PropertySelectionKeepsMovementsWithoutAProperty) {
  // Only sign 1 moved at 102 in the period. Its lines and its sums before the
  // period keep the movements without a property and drop those at 101.
  auto run = Run("1", "102");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Printed(*run, {{8, {"R1", "R4", "R5", "R6"}}, {11, {"T2", "T3", "T4"}},
                           {12, {"P1"}}, {13, {"A1", "A2"}}}),
            (std::vector<std::string>{
                "11|10|2|8",
                "12|Placa: 0001|V-01 | Venda | 0,50 x 0,80",
                "8|05/03/2024||2|6",
                "8|12/03/2024||1|5",
                "8|15/03/2024|||5",
                "8|20/03/2024|3||8",
                "12|*** Baixas: 1.       Saldo em Imóveis: 2.       Saldo na Imobiliária: 8.       "
                "Saldo Total: 10",
                "10",
                "13|3|3",
            }));
}

TEST_F(SignMovementReportTest, SignSelectionAndEmptyResults) {
  auto one = Run("1", "", "2");
  ASSERT_FALSE(one->raised) << one->error;
  EXPECT_EQ(Skeleton(*one), (std::vector<std::string>{"section 11", "section 12", "section 8",
                                                      "section 12", "progress 1/1",
                                                      "section 10", "section 13"}));

  // An office without any listed sign (also a period that ends before it
  // starts) prints only the closing lines, with zero totals.
  for (const auto& [inicio, fim] : std::vector<std::pair<std::string, std::string>>{
           {"01/01/2030", "31/01/2030"}, {"31/03/2024", "01/03/2024"}}) {
    auto none = Run("1", "", "", inicio, fim);
    ASSERT_FALSE(none->raised) << none->error;
    EXPECT_EQ(Printed(*none, {{13, {"A1", "A2"}}}),
              (std::vector<std::string>{"10", "13|0|0"}));
  }

  // No office row: nothing at all.
  auto no_office = Run("9");
  ASSERT_FALSE(no_office->raised) << no_office->error;
  EXPECT_TRUE(no_office->Lines().empty());
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST_F(SignMovementReportTest, FailuresReachTheHostAndReleaseEveryDataset) {
  auto bad_date = Run("1", "", "", "01/13/2024");
  EXPECT_TRUE(bad_date->raised);
  EXPECT_TRUE(sign_test::OnlyTheError(*bad_date));

  auto bad_selection = Run("1", "1' OR '1'='1");
  EXPECT_TRUE(bad_selection->raised);
  EXPECT_EQ(bad_selection->error.rfind("Seleção inválida", 0), 0u) << bad_selection->error;

  // The sign query works; the movement query no longer does.
  fixture_.db.Exec("alter table PLACAMOVIMENTO drop OBSERVACAO");
  auto failed = Run("1");
  EXPECT_TRUE(failed->raised);
  EXPECT_NE(failed->error.find("OBSERVACAO"), std::string::npos) << failed->error;
  EXPECT_TRUE(sign_test::OnlyTheError(*failed));
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
}

TEST(SignMovementReportClass, VersionAndZebraSections) {
  PluginHarness harness("SignMovementReport");
  EXPECT_EQ(harness.Class()->Versao(), "[versao: 1.0.0.0]");
  printworks::TnrwReport report;
  TSignMovementReport ledger(&report);
  EXPECT_EQ(ledger.CriarListaSectionsParaZebrar(), (std::vector<int>{8, 9, 10, 11, 12, 13}));
}

}  // namespace

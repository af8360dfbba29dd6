// The property listing printed from small agency databases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "reports/properties/common/listing_test_util.h"
#include "tests/support/plugin_harness.h"

namespace {

using properties_test::Agency;
using properties_test::Column;
using properties_test::Sections;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;

class PropertyListTest : public ::testing::Test {
 protected:
  PropertyListTest() : plugin_("PropertyListReport") {
    agency_.Pessoa(10, "ANA");
    agency_.Pessoa(11, "BRUNO");
    agency_.Pessoa(12, "CARLA");
    agency_.TipoImovel(0, "Casa");
    agency_.TipoImovel(1, "Apartamento padrão");
    agency_.TipoImovel(3, "Lote");
    agency_.TipoImovel(7, "Galpão");
  }

  std::unique_ptr<PluginRun> Run(ParamList params) {
    params.insert(params.begin(), {"pCodigoEscrit", "1"});
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = plugin_.Run(params);
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  // The property codes of the detail lines, in print order.
  static std::vector<std::string> Imoveis(const PluginRun& run) {
    std::vector<std::string> codes;
    for (const auto& text : Column(run, 9, "pImovel")) codes.push_back(text.substr(0, 5));
    return codes;
  }

  Agency agency_;
  PluginHarness plugin_;
};

TEST_F(PropertyListTest, OneLinePrintsHeaderDetailGroupAndGrandTotal) {
  agency_.Imovel(5, 1, 0, "12");
  agency_.Valores(5, 250000.5, 1800);
  agency_.Dono(5, 10);

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines(), (std::vector<std::string>{
                              "set pNomeEmpresa=IMOBILIARIA CENTRAL",
                              "set pTipoimovel=Apartamento",
                              "section 8",
                              "set pImovel=00005 - Rua das Flores, 12   - Centro - São Paulo/SP",
                              "set pProprietario=00010 - ANA ",
                              "set pVlrVenda_=250.000,50",
                              "set pVlrLocacao_=1.800,00",
                              "section 9",
                              "progress 1/1",
                              "set pTotalTitulo_=Total Apartamento (1 Imóvel) :",
                              "set pTotalVlrVenda_=250.000,50",
                              "set pTotalVlrLocacao_=1.800,00",
                              "section 11",
                              "section 10",
                              "section 12",
                              "set pTotalTitulo_=Total Geral  (1 Imóvel) :",
                              "set pTotalVlrVenda_=250.000,50",
                              "set pTotalVlrLocacao_=1.800,00",
                              "section 11",
                          }));
}

class TwoGroupsTest : public PropertyListTest {
 protected:
  TwoGroupsTest() {
    agency_.Imovel(1, 0, 0);
    agency_.Valores(1, 100000, 1000);
    agency_.Dono(1, 10);
    agency_.Imovel(2, 0, 0);
    agency_.Valores(2, 200000, 2000.25);
    agency_.Dono(2, 11);
    agency_.Imovel(3, 3, 0);
    agency_.Valores(3, 1234567.891, 0);
    agency_.Dono(3, 12);
  }
};

TEST_F(TwoGroupsTest, SummaryCountsLinesPerTypeInTheRentColumn) {
  auto run = Run({{"pTotalizarTipoImovel", "Sim"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 9, 11, 10, 8, 9, 11, 10, 12, 11, 12, 11, 11, 11}));
  EXPECT_EQ(Column(*run, 8, "pTipoimovel"), (std::vector<std::string>{"Casa e Sobrado", "Terreno"}));
  EXPECT_EQ(Column(*run, 11, "pTotalTitulo_"),
            (std::vector<std::string>{"Total Casa e Sobrado (2 Imóveis) :", "Total Terreno (1 Imóvel) :",
                                      "Total Geral  (3 Imóveis) :",
                                      "Quantidade Total por Tipo de Imóvel:", "    Casa e Sobrado",
                                      "    Terreno"}));
  EXPECT_EQ(Column(*run, 11, "pTotalVlrVenda_"),
            (std::vector<std::string>{"300.000,00", "1.234.567,89", "1.534.567,89", "", "", ""}));
  EXPECT_EQ(Column(*run, 11, "pTotalVlrLocacao_"),
            (std::vector<std::string>{"3.000,25", "0,00", "3.000,25", "", "2", "1"}));
}

TEST_F(TwoGroupsTest, WithoutSummaryEndsAfterTheGrandTotal) {
  for (const char* totalizar : {"", "Não", "sim", "1"}) {
    auto run = Run({{"pTotalizarTipoImovel", totalizar}});
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 9, 11, 10, 8, 9, 11, 10, 12, 11}))
        << "pTotalizarTipoImovel=" << totalizar;
  }
}

TEST_F(PropertyListTest, OwnersSharingAPropertyPrintOneLineEachMarked) {
  agency_.Imovel(7, 1, 2);
  agency_.Valores(7, 300000, 2500);
  agency_.Dono(7, 10);
  agency_.Dono(7, 11);
  // One responsible owner plus a link of another kind still marks the line.
  agency_.Imovel(8, 1, 0);
  agency_.Dono(8, 12);
  agency_.Dono(8, 10, "0", "2");
  // An owner link with both flags null qualifies as well.
  agency_.Imovel(9, 1, 0);
  agency_.Dono(9, 11, nullptr, nullptr);

  auto run = Run({{"pOrdenar", "3"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Column(*run, 9, "pProprietario"),
            (std::vector<std::string>{"00010 - ANA (*)", "00011 - BRUNO (*)", "00012 - CARLA (*)",
                                      "00011 - BRUNO "}));
  EXPECT_EQ(Imoveis(*run), (std::vector<std::string>{"00007", "00007", "00008", "00009"}));
  EXPECT_EQ(Column(*run, 11, "pTotalTitulo_")[0], "Total Apartamento (4 Imóveis) :");
  EXPECT_EQ(Column(*run, 11, "pTotalVlrVenda_")[0], "600.000,00");
}

TEST_F(PropertyListTest, PropertyWithoutValuesPrintsZerosAndAddsNothing) {
  agency_.Imovel(1, 1, 0);
  agency_.Dono(1, 10);
  agency_.Imovel(2, 1, 1);
  agency_.Valores(2, 0, 950.5);
  agency_.Dono(2, 11);

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Column(*run, 9, "pVlrVenda_"), (std::vector<std::string>{"0,00", "0,00"}));
  EXPECT_EQ(Column(*run, 9, "pVlrLocacao_"), (std::vector<std::string>{"0,00", "950,50"}));
  EXPECT_EQ(Column(*run, 11, "pTotalVlrLocacao_"), (std::vector<std::string>{"950,50", "950,50"}));
}

TEST_F(PropertyListTest, OrderingsInsideEachTypeGroup) {
  // Property 1 belongs to CARLA (12), 2 to ANA (10), 3 to BRUNO (11); 4 is of
  // another type and always comes first.
  agency_.Imovel(1, 1, 0, "30");
  agency_.Dono(1, 12);
  agency_.Imovel(2, 1, 0, "10");
  agency_.Dono(2, 10);
  agency_.Imovel(3, 1, 0, "20");
  agency_.Dono(3, 11);
  agency_.Imovel(4, 0, 0);
  agency_.Dono(4, 12);
  agency_.db.Exec("UPDATE IMOVEL SET REF = 'B', DTCADASTRO = '2023-05-01' WHERE CODIGOIMOVEL = 1");
  agency_.db.Exec("UPDATE IMOVEL SET REF = 'C', DTCADASTRO = '2022-05-01' WHERE CODIGOIMOVEL = 2");
  agency_.db.Exec("UPDATE IMOVEL SET REF = 'A', DTCADASTRO = '2024-05-01' WHERE CODIGOIMOVEL = 3");

  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"", {"00004", "00001", "00002", "00003"}},
      {"0", {"00004", "00001", "00002", "00003"}},
      {"9", {"00004", "00001", "00002", "00003"}},
      {"1", {"00004", "00002", "00003", "00001"}},   // owner code
      {"2", {"00004", "00002", "00003", "00001"}},   // owner name
      {" 3", {"00004", "00001", "00002", "00003"}},  // property code
      {"4", {"00004", "00002", "00003", "00001"}},   // address (by number)
      {"5", {"00004", "00003", "00001", "00002"}},   // reference
      {"6", {"00004", "00002", "00001", "00003"}},   // registration date
  };
  for (const auto& [ordenar, expected] : cases) {
    auto run = Run({{"pOrdenar", ordenar}});
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Imoveis(*run), expected) << "pOrdenar=" << ordenar;
    EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 11, 10, 8, 9, 9, 9, 11, 10, 12, 11}))
        << "pOrdenar=" << ordenar;
  }
}

TEST_F(PropertyListTest, FiltersAndBoundsApplyOnlyWhenGiven) {
  agency_.Imovel(1, 1, 0);
  agency_.Valores(1, 50000, 500);
  agency_.Dono(1, 10);
  agency_.Imovel(2, 1, 1);
  agency_.Valores(2, 150000, 1500);
  agency_.Dono(2, 10);
  agency_.Imovel(3, 3, 2);  // no values, no write-off
  agency_.Dono(3, 10);
  agency_.db.Exec("UPDATE IMOVEL SET BAIXADO = 1 WHERE CODIGOIMOVEL = 2");
  agency_.db.Exec("INSERT INTO IMOVELBAIXA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOBAIXA, DATABAIXA) "
                  "VALUES (1, 2, 1, '2024-03-10')");

  const std::vector<std::pair<ParamList, std::vector<std::string>>> cases = {
      {{}, {"00001", "00002", "00003"}},
      {{{"pVlrvenda", "  "}, {"pVlrvenda_1", ""}, {"pDatabaixa", " "}}, {"00001", "00002", "00003"}},
      {{{"pVlrvenda", "100000"}}, {"00002"}},
      {{{"pVlrvenda_1", "100000"}}, {"00001"}},
      {{{"pVlrvenda", "40000"}, {"pVlrvenda_1", "50000,00"}}, {"00001"}},
      {{{"pVlrlocacao", "1000"}}, {"00002"}},
      {{{"pVlrlocacao_1", "1000"}}, {"00001"}},
      {{{"pDatabaixa", "01/03/2024"}}, {"00002"}},
      {{{"pDatabaixa", "10/03/2024"}, {"pDatabaixa_1", "10/03/2024"}}, {"00002"}},
      {{{"pDatabaixa_1", "09/03/2024"}}, {}},
      {{{"pCodigoImovel", "1-2"}}, {"00001", "00002"}},
      {{{"pCodigoImovel", "3; 1"}}, {"00001", "00003"}},
      {{{"pTipoImoveis", "3"}}, {"00003"}},
      {{{"pNegociacao", "1;2"}}, {"00002", "00003"}},
      {{{"pBaixado", "1"}}, {"00002"}},
      {{{"pBaixado", "0"}}, {"00001", "00003"}},
      {{{"pCodigoEmpreend", "5"}}, {}},
  };
  for (const auto& [params, expected] : cases) {
    auto run = Run(params);
    std::string label;
    for (const auto& [n, v] : params) label += n + "=" + v + " ";
    ASSERT_FALSE(run->raised) << label << run->error;
    EXPECT_EQ(Imoveis(*run), expected) << label;
    if (expected.empty()) {
      EXPECT_TRUE(run->Lines().empty()) << label << ": nothing at all, not even the office name";
    }
  }
}

TEST_F(PropertyListTest, UnknownTypeCodeKeepsThePreviousCaption) {
  agency_.Imovel(1, 1, 0);
  agency_.Dono(1, 10);
  agency_.Imovel(2, 7, 0);
  agency_.Dono(2, 11);

  auto run = Run({{"pTotalizarTipoImovel", "Sim"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 11, 10, 8, 9, 11, 10, 12, 11, 12, 11, 11, 11}));
  EXPECT_EQ(Column(*run, 8, "pTipoimovel"), (std::vector<std::string>{"Apartamento", "Apartamento"}));
  EXPECT_EQ(Column(*run, 11, "pTotalTitulo_"),
            (std::vector<std::string>{"Total Apartamento (1 Imóvel) :", "Total Apartamento (1 Imóvel) :",
                                      "Total Geral  (2 Imóveis) :",
                                      "Quantidade Total por Tipo de Imóvel:", "    Apartamento",
                                      "    Apartamento"}));
}

TEST_F(PropertyListTest, ErrorsReachTheHostBeforeAnythingPrints) {
  agency_.Imovel(1, 1, 0);
  agency_.Dono(1, 10);

  const std::vector<std::pair<ParamList, std::string>> cases = {
      {{{"pOrdenar", "x"}}, "'x' não é um valor inteiro válido"},
      {{{"pCodigoImovel", "1; DROP TABLE IMOVEL"}}, "Seleção inválida"},
      {{{"pVlrvenda", "muito"}}, "muito"},
      {{{"pDatabaixa", "31/02/2024"}}, "31/02/2024"},
  };
  for (const auto& [params, message] : cases) {
    auto run = Run(params);
    EXPECT_TRUE(run->raised) << params[0].second;
    EXPECT_NE(run->error.find(message), std::string::npos) << run->error;
    EXPECT_TRUE(Sections(*run).empty()) << params[0].second;
  }
}

TEST_F(PropertyListTest, OtherOfficeOrNoOwnerPrintsNothing) {
  agency_.Imovel(1, 1, 0, "10", 2);
  agency_.Dono(1, 10, "1", "1", 2);
  agency_.Imovel(2, 1, 0);
  agency_.Dono(2, 10, "0", "1");  // not the responsible owner

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
}

TEST(PropertyListClassTest, VersionAnswersWithoutAnInstance) {
  PluginHarness plugin("PropertyListReport");
  EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.1.85.0]");
  EXPECT_EQ(plugin.Class()->ClassName(), "TPropertyListReport");
}

}  // namespace

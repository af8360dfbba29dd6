// Insurance policies ending inside a date window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "reports/properties/common/listing_test_util.h"
#include "tests/support/plugin_harness.h"

namespace {

using properties_test::Agency;
using properties_test::Column;
using properties_test::Trace;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;

class PropertyInsuranceTest : public ::testing::Test {
 protected:
  PropertyInsuranceTest() : plugin_("PropertyInsuranceReport") {
    agency_.TipoImovel(1, "Apartamento");
    agency_.Imovel(1, 1, 0, "30");
    agency_.Imovel(2, 1, 0, "10");
    agency_.Imovel(3, 1, 0, "20");
    agency_.db.Exec("UPDATE IMOVEL SET CODIGOENDERECO = NULL WHERE CODIGOIMOVEL = 3");
    agency_.Pessoa(20, "ZETA SEGUROS");
    agency_.Pessoa(21, "ALFA SEGUROS");
    agency_.Pessoa(22, "MEIO SEGUROS");
    // In the window 01/01/2024 to 30/06/2024: policies 1, 2 (its two ends)
    // and 6; 3 ends the day after, 4 the day before; 5 is another office's.
    Apolice(1, 2, 20, "AP-1", "2023-06-01", "2024-01-01");
    Apolice(2, 1, 21, "AP-2", "2024-02-01", "2024-06-30");
    Apolice(3, 3, 20, "AP-3", "2024-01-01", "2024-07-01");
    Apolice(4, 3, 21, "AP-4", "2023-01-01", "2023-12-31");
    Apolice(6, 3, 22, "AP-6", "2024-03-01", "2024-03-15");
    agency_.Imovel(1, 1, 0, "30", 2);
    agency_.db.Exec("INSERT INTO IMOVELDOC (CODIGOESCRIT, CODIGOIMOVEL, CODIGODOC, "
                    "CODIGOSEGURADORA, NUMEROAPOLISE, DTVIGFINALSEGURO) "
                    "VALUES (2, 1, 5, 20, 'AP-5', '2024-02-02')");
  }

  void Apolice(int doc, int imovel, int seguradora, const std::string& numero,
               const std::string& inicio, const std::string& fim) {
    agency_.db.Exec("INSERT INTO IMOVELDOC (CODIGOESCRIT, CODIGOIMOVEL, CODIGODOC, "
                    "CODIGOSEGURADORA, NUMEROAPOLISE, DTVIGINICIOSEGURO, DTVIGFINALSEGURO, "
                    "COBERTURA) VALUES (1, :i, :d, :s, :n, :a, :b, :c)",
                    {int64_t{imovel}, int64_t{doc}, int64_t{seguradora}, numero, inicio, fim,
                     "Incêndio " + numero});
  }

  std::unique_ptr<PluginRun> Run(ParamList params) {
    const ParamList all = properties_test::Merge(
        {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/01/2024"}, {"pDataFinal", "30/06/2024"}},
        params);
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = plugin_.Run(all);
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  Agency agency_;
  PluginHarness plugin_;
};

TEST_F(PropertyInsuranceTest, WindowIncludesItsEndsByInsurerCode) {
  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines().front(), "set pNomeEmpresa=IMOBILIARIA CENTRAL");
  EXPECT_EQ(Trace(*run, {"pSeguradora", "pNrApolice", "pDtInicioSeguro", "pDtFinalSeguro",
                         "pCobertura"}),
            (std::vector<std::string>{
                "8 pSeguradora=00020 - ZETA SEGUROS|pNrApolice=AP-1|pDtInicioSeguro=01/06/2023|"
                "pDtFinalSeguro=01/01/2024|pCobertura=Incêndio AP-1",
                "progress 1/3",
                "8 pSeguradora=00021 - ALFA SEGUROS|pNrApolice=AP-2|pDtInicioSeguro=01/02/2024|"
                "pDtFinalSeguro=30/06/2024|pCobertura=Incêndio AP-2",
                "progress 2/3",
                "8 pSeguradora=00022 - MEIO SEGUROS|pNrApolice=AP-6|pDtInicioSeguro=01/03/2024|"
                "pDtFinalSeguro=15/03/2024|pCobertura=Incêndio AP-6",
                "progress 3/3",
            }));
  std::vector<std::string> imoveis;
  for (const auto& text : Column(*run, 8, "pImovel")) imoveis.push_back(vcl::TrimRight(text));
  EXPECT_EQ(imoveis, (std::vector<std::string>{
                         "00002 - Rua das Flores, 10   - Centro - São Paulo/SP",
                         "00001 - Rua das Flores, 30   - Centro - São Paulo/SP",
                         // No address row: only the property's own number is left.
                         "00003 - , 20   -",
                     }));
}

TEST_F(PropertyInsuranceTest, OrderingsAndPropertySelection) {
  const std::vector<std::pair<ParamList, std::vector<std::string>>> cases = {
      {{{"pOrdenar", ""}}, {"AP-1", "AP-2", "AP-6"}},
      {{{"pOrdenar", "abc"}}, {"AP-1", "AP-2", "AP-6"}},
      {{{"pOrdenar", "1"}}, {"AP-2", "AP-6", "AP-1"}},   // insurer name
      {{{"pOrdenar", "2"}}, {"AP-2", "AP-1", "AP-6"}},   // property code
      {{{"pOrdenar", "3"}}, {"AP-6", "AP-1", "AP-2"}},   // address
      {{{"pCodigoImovel", "   "}}, {"AP-1", "AP-2", "AP-6"}},
      {{{"pCodigoImovel", "1;3"}}, {"AP-2", "AP-6"}},
      {{{"pDataInicial", "2/1/2024"}}, {"AP-2", "AP-6"}},
  };
  for (const auto& [params, expected] : cases) {
    auto run = Run(params);
    ASSERT_FALSE(run->raised) << params[0].first << "=" << params[0].second << ": " << run->error;
    EXPECT_EQ(Column(*run, 8, "pNrApolice"), expected) << params[0].first << "=" << params[0].second;
  }
  // Any other number keeps the database's order: the same policies.
  auto run = Run({{"pOrdenar", "7"}});
  auto printed = Column(*run, 8, "pNrApolice");
  std::sort(printed.begin(), printed.end());
  EXPECT_EQ(printed, (std::vector<std::string>{"AP-1", "AP-2", "AP-6"}));
}

TEST_F(PropertyInsuranceTest, EmptyWindowOrBadDatePrintsNothing) {
  auto run = Run({{"pDataInicial", "01/08/2024"}, {"pDataFinal", "31/12/2024"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());

  for (const auto& [name, value] : ParamList{{"pDataInicial", ""}, {"pDataFinal", "31/13/2024"}}) {
    auto bad = Run({{name, value}});
    EXPECT_TRUE(bad->raised) << name;
    EXPECT_NE(bad->error.find("não é uma data válida"), std::string::npos) << bad->error;
    EXPECT_EQ(bad->Lines(), std::vector<std::string>{"error " + bad->error}) << name;
  }
}

TEST(PropertyInsuranceClassTest, Version) {
  PluginHarness plugin("PropertyInsuranceReport");
  EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.0.0.0]");
}

}  // namespace

// Owners with the properties they answer for.
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
using properties_test::Trace;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;

// "<code> - Rua das Flores, <number>   - Centro - São Paulo/SP" padded to 50.
std::string LinhaImovel(int codigo, const std::string& numero) {
  std::string text = std::to_string(codigo) + " - Rua das Flores, " + numero +
                     "   - Centro - São Paulo/SP";
  // "São" holds one two-byte letter: 50 characters are 51 bytes.
  while (text.size() < 51) text += ' ';
  return text;
}

class OwnerPropertiesTest : public ::testing::Test {
 protected:
  OwnerPropertiesTest() : plugin_("OwnerPropertiesReport") {
    agency_.Pessoa(10, "ANA");
    agency_.Pessoa(11, "BRUNO");
    agency_.TipoImovel(0, "Casa");
    agency_.TipoImovel(1, "Apartamento");
    agency_.TipoImovel(3, "Lote");
    agency_.TipoImovel(9, "Outro");
  }

  void Imovel(int codigo, int tipo, int negociacao, int dono, double venda, double locacao) {
    agency_.Imovel(codigo, tipo, negociacao);
    agency_.Valores(codigo, venda, locacao);
    agency_.Dono(codigo, dono);
  }

  std::unique_ptr<PluginRun> Run(ParamList params) {
    params.insert(params.begin(), {"pCodigoEscrit", "1"});
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = plugin_.Run(params);
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  Agency agency_;
  PluginHarness plugin_;
};

TEST_F(OwnerPropertiesTest, SaleRentAndBothWithOwnerBlocks) {
  Imovel(1, 0, 0, 10, 100000, 0);
  Imovel(2, 1, 1, 10, 0, 1500.5);
  Imovel(3, 3, 2, 11, 1234567.5, 700);

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines().front(), "set pNomeEmpresa=IMOBILIARIA CENTRAL");
  EXPECT_EQ(Trace(*run, {"pProprietario", "pTipoImovel", "pImovel", "pNegocio", "pValor"}),
            (std::vector<std::string>{
                "8 pProprietario=00010 - ANA|pTipoImovel=Casa e Sobrado|pImovel=" + LinhaImovel(1, "10") +
                    "|pNegocio=Venda|pValor=100.000,00",
                "progress 1/3",
                "8 pProprietario=|pTipoImovel=Apartamento|pImovel=" + LinhaImovel(2, "10") +
                    "|pNegocio=Locação|pValor=1.500,50",
                "progress 2/3",
                "9 pProprietario=|pTipoImovel=Apartamento|pImovel=" + LinhaImovel(2, "10") +
                    "|pNegocio=Locação|pValor=1.500,50",
                "8 pProprietario=00011 - BRUNO|pTipoImovel=Terreno|pImovel=" + LinhaImovel(3, "10") +
                    "|pNegocio=Venda|pValor=1.234.567,50",
                "8 pProprietario=|pTipoImovel=|pImovel=|pNegocio=Locação|pValor=700,00",
                "progress 3/3",
            }));
}

TEST_F(OwnerPropertiesTest, ExchangeRowsPrintNothingAndKeepTheOwnerName) {
  Imovel(1, 0, 3, 10, 100000, 0);  // exchange: no line
  Imovel(2, 9, 0, 10, 5, 0);       // unknown type: empty caption
  Imovel(3, 1, 3, 11, 1, 1);

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9}));
  EXPECT_EQ(Column(*run, 8, "pProprietario"), (std::vector<std::string>{"00010 - ANA"}));
  EXPECT_EQ(Column(*run, 8, "pTipoImovel"), (std::vector<std::string>{""}));
  EXPECT_EQ(run->Lines().back(), "progress 3/3");
}

TEST_F(OwnerPropertiesTest, OwnerCodeZeroOnTheFirstRowIsNoNewOwner) {
  agency_.Pessoa(0, "SEM CADASTRO");
  Imovel(1, 0, 0, 0, 10, 0);
  Imovel(2, 0, 0, 10, 20, 0);

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 8}));
  EXPECT_EQ(Column(*run, 8, "pProprietario"), (std::vector<std::string>{"", "00010 - ANA"}));
}

TEST_F(OwnerPropertiesTest, LongAddressIsPrintedWhole) {
  Imovel(1, 0, 0, 10, 10, 0);
  const std::string complemento = "Bloco B, apartamento 1203, entrada pelos fundos";
  agency_.db.Exec("UPDATE IMOVEL SET COMPLEMENTO = :c WHERE CODIGOIMOVEL = 1", {complemento});

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Column(*run, 8, "pImovel"),
            (std::vector<std::string>{"1 - Rua das Flores, 10  " + complemento +
                                      " - Centro - São Paulo/SP"}));
}

TEST_F(OwnerPropertiesTest, OrderingsAndSelections) {
  Imovel(1, 0, 0, 11, 1, 0);
  Imovel(2, 1, 0, 10, 2, 0);
  Imovel(3, 3, 0, 11, 3, 0);
  Imovel(4, 1, 0, 10, 4, 0);
  agency_.db.Exec("UPDATE PESSOAFINANCEIRO SET NOME = 'ZECA' WHERE CODIGOPESSOAFIN = 10");
  agency_.db.Exec("UPDATE IMOVEL SET NRENDERECO = '0' WHERE CODIGOIMOVEL = 4");

  struct Case {
    ParamList params;
    std::vector<int> sections;
    std::vector<std::string> valores;  // pValor of each line: the property code
  };
  const std::vector<Case> cases = {
      {{{"pOrdenar", ""}}, {8, 8, 9, 8, 8}, {"2,00", "4,00", "1,00", "3,00"}},
      {{{"pOrdenar", "1"}}, {8, 8, 9, 8, 8}, {"1,00", "3,00", "2,00", "4,00"}},  // BRUNO, ZECA
      // Property order breaks the owners' runs: a block at every change.
      {{{"pOrdenar", "2"}}, {8, 9, 8, 9, 8, 9, 8}, {"1,00", "2,00", "3,00", "4,00"}},
      {{{"pOrdenar", "3"}}, {8, 9, 8, 9, 8, 9, 8}, {"4,00", "1,00", "2,00", "3,00"}},
      {{{"pCodigoProprietario", "11"}}, {8, 8}, {"1,00", "3,00"}},
      {{{"pCodigoCategorias", "0-1"}, {"pCodigoProprietario", " "}}, {8, 8, 9, 8}, {"2,00", "4,00", "1,00"}},
  };
  for (const Case& c : cases) {
    auto run = Run(c.params);
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Sections(*run), c.sections) << c.params[0].first << "=" << c.params[0].second;
    EXPECT_EQ(Column(*run, 8, "pValor"), c.valores) << c.params[0].first << "=" << c.params[0].second;
  }
}

TEST_F(OwnerPropertiesTest, NoResponsibleOwnerPrintsNothing) {
  agency_.Imovel(1, 0, 0);
  agency_.Dono(1, 10, "1", "2");
  agency_.Dono(1, 11, nullptr, nullptr);  // both null does not qualify here

  auto run = Run({});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
}

TEST(OwnerPropertiesClassTest, Version) {
  PluginHarness plugin("OwnerPropertiesReport");
  EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.0.0.0]");
}

}  // namespace

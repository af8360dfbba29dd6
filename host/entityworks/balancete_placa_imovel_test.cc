// The sign balance by property on small real databases.
#include "host/entityworks/balancete_placa_imovel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/vcl/datetime.h"
#include "host/vcl/exceptions.h"
#include "tests/support/test_database.h"

namespace entityworks {
namespace {

vcl::Variant Data(int day, int month, int year) {
  return vcl::DateTimeValue{vcl::EncodeDate(year, month, day)};
}

// "<code>:<saida>/<entrada>:<description>" per line, for compact checks.
std::vector<std::string> Linhas(const TnPlaca& placa) {
  std::vector<std::string> linhas;
  for (const auto& imovel : placa.Imoveis) {
    linhas.push_back(std::to_string(imovel.CodigoImovel) + ":" + std::to_string(imovel.Saida) +
                     "/" + std::to_string(imovel.Entrada) + ":" + imovel.DescrImovel);
  }
  return linhas;
}

std::vector<int> Codigos(const TnListaPlaca& lista) {
  std::vector<int> codigos;
  for (const auto& placa : lista.Placas) codigos.push_back(placa.CodigoPlaca);
  return codigos;
}

// Office 1, base date 30/06/2024.
//   sign 1 "V-01" (total 10): 3 out to 102, 2 out to 101, 1 back from 102,
//     1 out without a property, 4 out to 103 after the base date.
//   sign 2 (no reference, total 4): 2 out to 101, 5 back from it.
//   sign 3 (total 6): only movements after the base date.
//   sign 4 (total 8): an acquisition only.
// Office 2 has sign 1 too, at property 101 of its own.
class BalanceteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Exec("insert into TIPOPLACA values (1, 'Venda')");
    Exec("insert into TIPOPLACA values (2, 'Aluguel')");
    Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (1, 0, 'Casa')");
    Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (1, 'Rua')");
    Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (1, 'das Flores')");
    Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO) values (1, 'Centro')");
    Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) values (1, 'Campinas', 'SP')");
    Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
         "CODIGOBAIRRO, CODIGOMUNICIPIO) values (1, 1, 1, 1, 1)");
    Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
         "NRENDERECO, COMPLEMENTO) values (1, 101, 1, 1, '10', 'fundos')");
    // 102 has no address: its description is its type only.
    Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL) values (1, 102, 1)");

    Placa(1, 1, "'V-01'", 1, 10);
    Placa(1, 2, "null", 2, 4);
    Placa(1, 3, "'V-03'", 1, 6);
    Placa(1, 4, "'V-04'", 1, 8);
    Placa(2, 1, "'N-01'", 1, 50);

    Movimento(1, 1, 1, Data(3, 1, 2024), 1, 102, 3);
    Movimento(1, 2, 1, Data(4, 1, 2024), 1, 101, 2);
    Movimento(1, 3, 2, Data(5, 1, 2024), 1, 102, 1);
    Movimento(1, 4, 1, Data(6, 1, 2024), 1, 0, 1);
    Movimento(1, 5, 1, Data(1, 7, 2024), 1, 103, 4);
    Movimento(1, 6, 1, Data(10, 2, 2024), 2, 101, 2);
    Movimento(1, 7, 2, Data(30, 6, 2024), 2, 101, 5);  // on the base date itself
    Movimento(1, 8, 0, Data(2, 7, 2024), 3, 0, 6);
    Movimento(1, 9, 0, Data(2, 1, 2024), 4, 0, 8);
    Movimento(2, 1, 1, Data(2, 1, 2024), 1, 101, 30);
  }

  void Exec(const std::string& sql, const vcl::VariantArray& values = {}) { db_.Exec(sql, values); }
  void Placa(int escritorio, int codigo, const std::string& referencia, int tipo, double total) {
    Exec("insert into PLACA (CODIGOESCRIT, CODIGOPLACA, REFERENCIA, CODIGOTIPOPLACA, SALDOTOTAL) "
         "values (:e, :c, " + referencia + ", :t, :s)",
         {int64_t{escritorio}, int64_t{codigo}, int64_t{tipo}, total});
  }
  void Movimento(int escritorio, int codigo, int tipo, const vcl::Variant& data, int placa,
                 int imovel, double quantidade) {
    Exec("insert into PLACAMOVIMENTO (CODIGOESCRIT, CODIGOMOVIMENTO, TIPOMOVIMENTO, "
         "DATAMOVIMENTO, CODIGOPLACA, CODIGOIMOVEL, QUANTIDADE) values (:e, :c, :t, :d, :p, :i, :q)",
         {int64_t{escritorio}, int64_t{codigo}, int64_t{tipo}, data, int64_t{placa},
          int64_t{imovel}, quantidade});
  }

  testing_support::TestDatabase db_;
  const vcl::TDateTime base_ = vcl::EncodeDate(2024, 6, 30);
};

TEST_F(BalanceteTest, ListsSignsWithPropertyLinesAndBalancesAtTheBaseDate) {
  TnBalancetePlacaImovel balancete;
  const int live = dataworks::TnClientDataSet::LiveCount();
  TnListaPlaca* lista = balancete.GerarLancamentos(1, base_);
  EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live);

  // Sign 3 moved only after the base date.
  ASSERT_EQ(Codigos(*lista), (std::vector<int>{1, 2, 4}));
  const TnPlaca& v01 = lista->Placas[0];
  EXPECT_EQ(v01.MontarDescricaoPlaca(), "V-01 | Venda");
  // Property-code order; no line for the movement without a property, nor
  // for the one after the base date.
  EXPECT_EQ(Linhas(v01), (std::vector<std::string>{
                             "101:2/0:Casa - Rua das Flores, 10 fundos - Centro - Campinas/SP",
                             "102:3/1:Casa"}));
  EXPECT_EQ(v01.SaldoImoveis, 4);
  EXPECT_EQ(v01.SaldoTotal, 10);
  EXPECT_EQ(v01.SaldoImobiliaria, 6);

  // More units back than out: a negative balance on properties.
  const TnPlaca& sem_referencia = lista->Placas[1];
  EXPECT_EQ(sem_referencia.MontarDescricaoPlaca(), "Aluguel");
  EXPECT_EQ(Linhas(sem_referencia).size(), 1u);
  EXPECT_EQ(sem_referencia.Imoveis[0].Entrada, 5);
  EXPECT_EQ(sem_referencia.SaldoImoveis, -3);
  EXPECT_EQ(sem_referencia.SaldoImobiliaria, 7);

  EXPECT_TRUE(lista->Placas[2].Imoveis.empty());
  EXPECT_EQ(lista->Placas[2].SaldoImobiliaria, 8);
  EXPECT_DOUBLE_EQ(balancete.Total, 22);
}

TEST_F(BalanceteTest, SelectionTextsNarrowTheSigns) {
  struct Case {
    std::string placas, imoveis;
    std::vector<int> esperadas;
  };
  for (const Case& c : std::vector<Case>{{"", "", {1, 2, 4}},
                                         {"2-4", "", {2, 4}},
                                         {"", "102", {1}},
                                         {"", "101; 0", {1, 2, 4}},
                                         {"3", "", {}},
                                         {"1", "999", {}}}) {
    TnBalancetePlacaImovel balancete;
    balancete.FiltroPlaca = c.placas;
    balancete.FiltroImovel = c.imoveis;
    EXPECT_EQ(Codigos(*balancete.GerarLancamentos(1, base_)), c.esperadas)
        << c.placas << " / " << c.imoveis;
  }
  // A property selection picks signs; their lines stay whole.
  TnBalancetePlacaImovel balancete;
  balancete.FiltroImovel = "102";
  EXPECT_EQ(balancete.GerarLancamentos(1, base_)->Placas[0].Imoveis.size(), 2u);
}

TEST_F(BalanceteTest, BaseDateCutsMovementsAndTheEarlierListSurvivesAFailure) {
  TnBalancetePlacaImovel balancete;
  // Before sign 2's return on 30/06 its unit still stands at 101.
  TnListaPlaca* lista = balancete.GerarLancamentos(1, vcl::EncodeDate(2024, 6, 29));
  ASSERT_EQ(Codigos(*lista), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(lista->Placas[1].SaldoImoveis, 2);
  EXPECT_EQ(lista->Placas[1].SaldoImobiliaria, 2);

  balancete.FiltroPlaca = "1;;2";
  EXPECT_THROW(
      {
        try {
          balancete.GerarLancamentos(1, base_);
        } catch (const vcl::Exception& e) {
          EXPECT_EQ(std::string(e.what()).rfind("Seleção inválida", 0), 0u) << e.what();
          throw;
        }
      },
      vcl::Exception);
  EXPECT_EQ(lista->Placas.size(), 3u);
  EXPECT_DOUBLE_EQ(balancete.Total, 22);

  // Nothing up to a date before every movement.
  balancete.FiltroPlaca = "";
  EXPECT_TRUE(balancete.GerarLancamentos(1, vcl::EncodeDate(2023, 12, 31))->Placas.empty());
  EXPECT_DOUBLE_EQ(balancete.Total, 0);
}

}  // namespace
}  // namespace entityworks

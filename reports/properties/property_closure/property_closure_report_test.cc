// The write-off and reactivation history of one property.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "reports/properties/common/listing_test_util.h"
#include "tests/support/plugin_harness.h"

namespace {

using properties_test::Agency;
using properties_test::Trace;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;

class PropertyClosureTest : public ::testing::Test {
 protected:
  PropertyClosureTest() : plugin_("PropertyClosureReport") {
    agency_.TipoImovel(1, "Apartamento padrão");
    agency_.Imovel(5, 1, 0, "12");
    agency_.db.Exec("INSERT INTO USUARIO (CODIGOUSUARIO, NOMEUSUARIO) VALUES (1, 'maria')");
    agency_.db.Exec("INSERT INTO USUARIO (CODIGOUSUARIO, NOMEUSUARIO) VALUES (2, 'joao')");
  }

  // One write-off (table IMOVELBAIXA) or reactivation (IMOVELREATIVACAO).
  void Movimento(bool baixa, int seq, const std::string& data, vcl::Variant motivo,
                 const std::string& obs, vcl::Variant usuario, int imovel = 5) {
    const std::string sql =
        baixa ? "INSERT INTO IMOVELBAIXA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOBAIXA, DATABAIXA, "
                "TIPOMOTIVO, OBS, CODIGOUSUARIO) VALUES (1, :i, :s, :d, :m, :o, :u)"
              : "INSERT INTO IMOVELREATIVACAO (CODIGOESCRIT, CODIGOIMOVEL, CODIGOREATIVACAO, "
                "DATAREATIVACAO, TIPOMOTIVO, OBS, CODIGOUSUARIO) VALUES (1, :i, :s, :d, :m, :o, :u)";
    agency_.db.Exec(sql, {int64_t{imovel}, int64_t{seq}, data, motivo, obs, usuario});
  }

  std::unique_ptr<PluginRun> Run(const std::string& imovel) {
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = plugin_.Run({{"pCodigoEscrit", "1"}, {"pCodigoImovel", imovel}});
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  Agency agency_;
  PluginHarness plugin_;
};

TEST_F(PropertyClosureTest, HistoryMergedInDateOrderWithReasonsAndUsers) {
  Movimento(false, 1, "2024-02-20", int64_t{1}, "voltou", int64_t{1});
  Movimento(true, 1, "2024-01-10", int64_t{0}, "mudou de imobiliária", int64_t{1});
  Movimento(true, 2, "2024-03-05", int64_t{5}, "", int64_t{2});
  // A user that no longer exists, then one never recorded: no name, never the
  // previous line's.
  Movimento(false, 2, "2024-04-01", int64_t{2}, "sem usuário", int64_t{99});
  Movimento(true, 3, "2024-05-01", vcl::Null{}, "", vcl::Null{});

  auto run = Run("5");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Trace(*run, {"pData", "pTipo", "pMotivo", "pObservacao", "pUsuario"}),
            (std::vector<std::string>{
                "8 pData=10/01/2024|pTipo=Baixa|pMotivo=Mudança de Imobiliária|"
                "pObservacao=mudou de imobiliária|pUsuario=maria",
                "progress 1/5",
                "8 pData=20/02/2024|pTipo=Reativação|pMotivo=Renegociação|pObservacao=voltou|"
                "pUsuario=maria",
                "progress 2/5",
                "8 pData=05/03/2024|pTipo=Baixa|pMotivo=|pObservacao=|pUsuario=joao",
                "progress 3/5",
                "8 pData=01/04/2024|pTipo=Reativação|pMotivo=Outros|pObservacao=sem usuário|"
                "pUsuario=",
                "progress 4/5",
                "8 pData=01/05/2024|pTipo=Baixa|pMotivo=Mudança de Imobiliária|pObservacao=|"
                "pUsuario=",
                "progress 5/5",
                "9 pData=01/05/2024|pTipo=Baixa|pMotivo=Mudança de Imobiliária|pObservacao=|"
                "pUsuario=",
            }));
  // The heading is set once, before the first line.
  const auto lines = run->Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "set pDescImovel=0005 - Apartamento padrão");
  EXPECT_EQ(lines[1], "set pEndereco=Rua das Flores, 12   - Centro São Paulo - SP - ");
}

TEST_F(PropertyClosureTest, AddressEndsWithTheDevelopmentName) {
  agency_.db.Exec("INSERT INTO EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) "
                  "VALUES (1, 3, 'Residencial Sol')");
  agency_.db.Exec("UPDATE IMOVEL SET CODIGOEMPREEND = 3, COMPLEMENTO = 'ap 31' "
                  "WHERE CODIGOIMOVEL = 5");
  Movimento(true, 1, "2024-01-10", int64_t{2}, "", int64_t{1});

  auto run = Run("5");
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines()[1],
            "set pEndereco=Rua das Flores, 12  ap 31 - Centro São Paulo - SP - Residencial Sol");
}

TEST_F(PropertyClosureTest, NoHistoryPrintsNothing) {
  Movimento(true, 1, "2024-01-10", int64_t{0}, "", int64_t{1}, 5);
  for (const char* imovel : {"6", "abc", ""}) {
    auto run = Run(imovel);
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_TRUE(run->Lines().empty()) << "pCodigoImovel=" << imovel;
  }
}

TEST(PropertyClosureClassTest, Version) {
  PluginHarness plugin("PropertyClosureReport");
  EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.1.86.0]");
}

}  // namespace

// KeyMovementReport driven through its built plug-in on small real databases.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/report.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;
using testing_support::TestDatabase;

using Lines = std::vector<std::string>;

const char* const kFlores = "00042 APARTAMENTO RUA DAS FLORES, 100 - CENTRO - SÃO PAULO/SP";
const char* const kDireita = "00043 RUA DIREITA - CENTRO - SÃO PAULO/SP";

// Office 1, users 5 and 6, person 100, property 42 (a flat on Rua das Flores)
// and property 43 (no type, Rua Direita, no number).
class KeyMovementTest : public testing::Test {
 protected:
  void SetUp() override {
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) "
             "values (1, 'Imobiliária Central', '12.345.678/0001-90')");
    db_.Exec("insert into ESCRITORIO (CODIGOESCRIT) values (1)");
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (100, 'Carlos Pereira')");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) "
             "values (5, 'ana', 'Ana Souza')");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) "
             "values (6, 'bruno', 'Bruno Lima')");
    db_.Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (1, 'Rua')");
    db_.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (1, 'Direita')");
    db_.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (2, 'das Flores')");
    db_.Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO) values (1, 'Centro')");
    db_.Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) "
             "values (1, 'São Paulo', 'SP')");
    db_.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
             "CODIGOBAIRRO, CODIGOMUNICIPIO) values (20, 1, 2, 1, 1)");
    db_.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
             "CODIGOBAIRRO, CODIGOMUNICIPIO) values (30, 1, 1, 1, 1)");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) "
             "values (1, 1, 'Apartamento')");
    db_.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
             "NRENDERECO) values (1, 42, 1, 20, '100')");
    db_.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOENDERECO) values (1, 43, 30)");
  }

  // One movement on day `dia` of March 2026; `pessoa` 0 and empty texts
  // leave those columns null.
  void Mov(int imovel, int chave, int seq, int tipo, int dia, int usuario, int pessoa,
           const std::string& nome = "", const std::string& obs = "") {
    auto text = [](const std::string& s) {
      return s.empty() ? vcl::Variant{vcl::Null{}} : vcl::Variant{s};
    };
    db_.Exec("insert into IMOVELCHAVEMOVIMENTO (CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ, "
             "TIPOMOVIMENTO, DATAMOVIMENTO, CODIGOUSUARIO, CODIGOPESSOAFIN, NOMEPESSOA, "
             "OBSERVACAO) values (1, :imovel, :chave, :seq, :tipo, :data, :usuario, :pessoa, "
             ":nome, :obs)",
             {int64_t{imovel}, int64_t{chave}, int64_t{seq}, int64_t{tipo},
              vcl::DateTimeValue{vcl::EncodeDate(2026, 3, dia)}, int64_t{usuario},
              pessoa ? vcl::Variant{int64_t{pessoa}} : vcl::Variant{vcl::Null{}}, text(nome),
              text(obs)});
  }

  // The usual movements: one without a property, two of key 1 of property
  // 42, one of key 2 of property 43, and one of property 42 after the period.
  void MovimentosPadrao() {
    Mov(0, 9, 1, 1, 5, 5, 0, "Visitante", "sem imóvel");
    Mov(42, 1, 1, 1, 10, 5, 100, "", "visita");
    Mov(42, 1, 2, 2, 11, 6, 100, "Portador");
    Mov(43, 2, 1, 3, 12, 5, 0);
    Mov(42, 1, 3, 1, 20, 5, 100);
  }

  std::unique_ptr<PluginRun> Run(const ParamList& extra = {}) {
    ParamList params = {{"pCodigoEscrit", "1"},
                        {"pCodigoImovel", ""},
                        {"pTipoMov", ""},
                        {"pDataInicial", "01/03/2026"},
                        {"pDataFinal", "15/03/2026"}};
    for (const auto& [name, value] : extra) {
      for (auto& p : params) {
        if (p.first == name) p.second = value;
      }
    }
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = harness_.Run(params);
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  // True when the run printed, set or showed nothing but its error.
  static bool OnlyTheError(const PluginRun& run) {
    const auto lines = run.Lines();
    return lines.size() == 1 && lines[0] == "error " + run.error;
  }

  static Lines Heading() {
    return {"set pNomeEmpresa=0001 Imobiliária Central",
            "set pInscrFederal=CNPJ: 12.345.678/0001-90"};
  }
  // A movement line: R1 to R6 and section 8.
  static Lines Linha(const std::string& data, const std::string& chave, const std::string& tipo,
                     const std::string& pessoa, const std::string& obs,
                     const std::string& usuario) {
    return {"set R1=" + data, "set R2=" + chave, "set R3=" + tipo, "set R4=" + pessoa,
            "set R5=" + obs,  "set R6=" + usuario, "section 8"};
  }
  // The emptied separator line and the next property's heading.
  static Lines Quebra(const std::string& imovel) {
    return {"set R1=", "set R2=", "set R3=", "set R4=", "set R5=", "set R6=", "set R7=",
            "set R7=" + imovel, "section 8", "section 10"};
  }
  static void Append(Lines& lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
  }
  // The R2 values printed on movement lines (empty on separator lines).
  static std::string Chaves(const PluginRun& run) {
    std::string out;
    for (const auto& line : run.Lines()) {
      if (line.rfind("set R2=", 0) == 0) out += line.size() > 7 ? line.substr(11) : "-";
      if (line == "section 10") out += "[";
    }
    return out;
  }

  TestDatabase db_;
  PluginHarness harness_{"KeyMovementReport"};
};

TEST_F(KeyMovementTest, VersionAndZebraSections) {
  EXPECT_EQ(harness_.Class()->Versao(), "[versao: 1.0.0.0]");
  printworks::TnrwReport report;
  auto object = harness_.Class()->Create(&report);
  EXPECT_THAT(object->CriarListaSectionsParaZebrar(), ElementsAre(8, 10, 9, 11));
}

TEST_F(KeyMovementTest, LedgerGroupedByPropertyWithSeparators) {
  MovimentosPadrao();
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;

  Lines expected = Heading();
  Append(expected, {"set R7=", "section 10"});  // the block without a property
  Append(expected, Linha("05/03/2026", "00009", "Saída", "Visitante", "sem imóvel", "Ana Souza"));
  expected.push_back("progress 1/4");
  Append(expected, Quebra(kFlores));
  Append(expected, Linha("10/03/2026", "00001", "Saída", "Carlos Pereira", "visita", "Ana Souza"));
  expected.push_back("progress 2/4");
  Append(expected, Linha("11/03/2026", "00001", "Retorno", "Portador", "", "Bruno Lima"));
  expected.push_back("progress 3/4");
  Append(expected, Quebra(kDireita));
  Append(expected, Linha("12/03/2026", "00002", "Baixa", "", "", "Ana Souza"));
  expected.push_back("progress 4/4");
  EXPECT_EQ(run->Lines(), expected);
}

TEST_F(KeyMovementTest, LineOfUnknownTypeOrNobodyShowsEmptyValues) {
  Mov(42, 1, 1, 1, 10, 5, 100, "", "visita");
  Mov(42, 1, 2, 9, 11, 5, 0);
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  Lines expected = Heading();
  Append(expected, {"set R7=" + std::string(kFlores), "section 10"});
  Append(expected, Linha("10/03/2026", "00001", "Saída", "Carlos Pereira", "visita", "Ana Souza"));
  expected.push_back("progress 1/2");
  Append(expected, Linha("11/03/2026", "00001", "", "", "", "Ana Souza"));
  expected.push_back("progress 2/2");
  EXPECT_EQ(run->Lines(), expected);
}

TEST_F(KeyMovementTest, OfficeHeadingAloneOrNothing) {
  {
    auto run = Run();  // no movements at all
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(run->Lines(), Heading());
  }
  MovimentosPadrao();
  {
    auto run = Run({{"pDataInicial", "15/03/2026"}, {"pDataFinal", "01/03/2026"}});
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(run->Lines(), Heading());
  }
  {
    // Office 2 has movements but no office row.
    db_.Exec("update IMOVELCHAVEMOVIMENTO set CODIGOESCRIT = 2");
    auto run = Run({{"pCodigoEscrit", "2"}});
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_TRUE(run->Lines().empty());
  }
}

TEST_F(KeyMovementTest, SelectionsNarrowTheLedger) {
  MovimentosPadrao();
  struct Case {
    ParamList params;
    const char* expected;  // "[" per property heading, then the keys' last digit
  };
  const Case cases[] = {
      {{}, "[9-[11-[2"},
      {{{"pDataInicial", "10/03/2026"}, {"pDataFinal", "12/03/2026"}}, "[11-[2"},
      {{{"pDataFinal", "20/03/2026"}}, "[9-[111-[2"},
      // Movements without a property always pass the property selection.
      {{{"pCodigoImovel", "43"}}, "[9-[2"},
      {{{"pCodigoImovel", " 40-42 "}}, "[9-[11"},
      {{{"pTipoMov", "1"}}, "[9-[1"},
      {{{"pTipoMov", "2;3"}}, "[1-[2"},
      {{{"pCodigoImovel", "42"}, {"pTipoMov", "2"}}, "[1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    auto run = Run(c.params);
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Chaves(*run), c.expected);
  }
}

TEST_F(KeyMovementTest, FailuresReachTheHost) {
  MovimentosPadrao();
  {
    auto run = Run({{"pTipoMov", "abc"}});
    EXPECT_TRUE(run->raised);
    EXPECT_THAT(run->error, HasSubstr("Seleção inválida"));
    EXPECT_TRUE(OnlyTheError(*run));
  }
  {
    auto run = Run({{"pDataFinal", "32/03/2026"}});
    EXPECT_TRUE(run->raised);
    EXPECT_TRUE(OnlyTheError(*run));
  }
  {
    db_.Exec("drop view VENDERECO");
    auto run = Run();
    EXPECT_TRUE(run->raised);
    EXPECT_THAT(run->error, HasSubstr("VENDERECO"));
    EXPECT_TRUE(OnlyTheError(*run));
  }
}

}  // namespace

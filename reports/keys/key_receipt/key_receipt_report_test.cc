// KeyReceiptReport driven through its built plug-in on small real databases.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/sql.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;
using testing_support::TestDatabase;

constexpr const char* kDia = "10/03/2026";

// Office 1 with its address and a three-day return deadline, two users, two
// registered takers (one without a tax number) and property 42 with keys 1
// to 4 on board Q1.
class KeyReceiptTest : public testing::Test {
 protected:
  void SetUp() override {
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) "
             "values (1, 'Imobiliária Central', '12.345.678/0001-90')");
    db_.Exec("insert into ESCRITORIO (CODIGOESCRIT) values (1)");
    db_.Exec("insert into EMPRESACONFIGURACAO (CODIGOESCRIT, DIASDEVOLUCAOCHAVE) values (1, 3)");
    db_.Exec("insert into PESSOAENDERECO (CODIGOPESSOAFIN, CODIGOENDERECO) values (1, 10)");
    db_.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
             "CODIGOBAIRRO, CODIGOMUNICIPIO) values (10, 1, 1, 1, 1)");
    db_.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
             "CODIGOBAIRRO, CODIGOMUNICIPIO) values (20, 1, 2, 1, 1)");
    db_.Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (1, 'Rua')");
    db_.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (1, 'Direita')");
    db_.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (2, 'das Flores')");
    db_.Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO) values (1, 'Centro')");
    db_.Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) "
             "values (1, 'SÃO PAULO', 'SP')");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) "
             "values (5, 'ana', 'Ana Souza')");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) "
             "values (6, 'bruno', 'Bruno Lima')");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) "
             "values (0, 'admin', 'Administrador')");
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, TIPOINSCFEDERAL, INSCFEDERAL) "
             "values (100, 'Carlos Pereira', 0, '123.456.789-00')");
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (101, 'Diana Reis')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) "
             "values (1, 1, 'Apartamento')");
    db_.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
             "NRENDERECO, COMPLEMENTO) values (1, 42, 1, 20, '100', 'fundos')");
    db_.Exec("insert into LOCALCHAVE (CODIGOLOCALCHAVE, CODIGOESCRIT, QUADRO, COLUNA, LINHA) "
             "values (7, 1, 'Q1', 3, 4)");
    for (int chave = 1; chave <= 4; ++chave) {
      db_.Exec("insert into IMOVELCHAVE (CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, REFERENCIA, "
               "CODIGOLOCALCHAVE) values (1, 42, :chave, :ref, 7)",
               {int64_t{chave}, "CH-" + std::to_string(chave)});
    }
  }

  // One movement of key `chave` of property 42 on day `dia` of March 2026;
  // `pessoa` 0 and `nome` empty leave those columns null.
  void Mov(int chave, int seq, int tipo, int dia, int usuario, int pessoa,
           const std::string& nome = "") {
    vcl::VariantArray values = {int64_t{chave}, int64_t{seq}, int64_t{tipo},
                                vcl::DateTimeValue{vcl::EncodeDate(2026, 3, dia)},
                                int64_t{usuario}};
    values.push_back(pessoa ? vcl::Variant{int64_t{pessoa}} : vcl::Variant{vcl::Null{}});
    values.push_back(nome.empty() ? vcl::Variant{vcl::Null{}} : vcl::Variant{nome});
    db_.Exec("insert into IMOVELCHAVEMOVIMENTO (CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ, "
             "TIPOMOVIMENTO, DATAMOVIMENTO, CODIGOUSUARIO, CODIGOPESSOAFIN, NOMEPESSOA) "
             "values (1, 42, :chave, :seq, :tipo, :data, :usuario, :pessoa, :nome)",
             values);
  }

  std::unique_ptr<PluginRun> Run(const ParamList& extra = {}) {
    ParamList params = {{"pCodigoEscrit", "1"},    {"pDataMovimento", kDia},
                        {"pCodigoImovel", ""},     {"pCodigoUsuario", ""},
                        {"pCodigoPessoaFin", ""},  {"pNomePes", ""},
                        {"pFiltro", ""}};
    for (const auto& [name, value] : extra) {
      bool replaced = false;
      for (auto& p : params) {
        if (p.first == name) p.second = value, replaced = true;
      }
      if (!replaced) params.emplace_back(name, value);
    }
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = harness_.Run(params);
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  // The values the report set for `name`, in order.
  static std::vector<std::string> Values(const PluginRun& run, const std::string& name) {
    std::vector<std::string> values;
    const std::string prefix = "set " + name + "=";
    for (const auto& line : run.Lines()) {
      if (line.rfind(prefix, 0) == 0) values.push_back(line.substr(prefix.size()));
    }
    return values;
  }

  // True when the run printed, set or showed nothing but its error.
  static bool OnlyTheError(const PluginRun& run) {
    const auto lines = run.Lines();
    return lines.size() == 1 && lines[0] == "error " + run.error;
  }

  // Sections, page ends and progress only: the shape of the receipts.
  static std::vector<std::string> Shape(const PluginRun& run) {
    std::vector<std::string> shape;
    for (const auto& line : run.Lines()) {
      if (line.rfind("set ", 0) != 0) shape.push_back(line);
    }
    return shape;
  }

  // One letter per printed key (its pChave) and "|" per closed receipt.
  static std::string Receipts(const PluginRun& run) {
    std::string out;
    for (const auto& line : run.Lines()) {
      if (line.rfind("set pChave=", 0) == 0) out += line.substr(11, 1);
      if (line == "page_end") out += "|";
    }
    return out;
  }

  TestDatabase db_;
  PluginHarness harness_{"KeyReceiptReport"};
};

TEST_F(KeyReceiptTest, VersionAnswersOnTheClass) {
  EXPECT_EQ(harness_.Class()->Versao(), "[versao: 1.0.0.0]");
}

TEST_F(KeyReceiptTest, TwoKeysToOneTakerByOneUserMakeOneFullReceipt) {
  Mov(1, 1, 1, 10, 5, 100);
  Mov(2, 1, 1, 10, 5, 100);
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  const std::vector<std::string> key_lines = {
      "set pImovel=00042 APARTAMENTO RUA DAS FLORES, 100 - CENTRO - SÃO PAULO/SP",
      "section 8",
      "section 9",
  };
  std::vector<std::string> expected = {
      "set pNomeEmpresa=0001 Imobiliária Central",
      "set pCidade=São Paulo",
      "set pUF=SP",
      "set pInscrFederal=CNPJ: 12.345.678/0001-90",
      "set pDataHoraDevolucao=13/03/2026",
  };
  for (int chave = 1; chave <= 2; ++chave) {
    expected.insert(expected.end(), key_lines.begin(), key_lines.end());
    const std::string n = std::to_string(chave);
    expected.insert(expected.end(), {
        "set pChave=" + n + " | CH-" + n + " | Quadro: 3 x 4",
        "section 10",
        "set pCodUsuario=5",
        "set pNomeUsuario=Ana Souza",
        "set pNomePes=Carlos Pereira",
        "set pDocumento= - 123.456.789-00",
        "set pDia=10",
        "set pMes=Março",
        "set pAno=2026",
        "progress " + n + "/2",
    });
  }
  expected.insert(expected.end(), {"section 11", "page_end"});
  EXPECT_EQ(run->Lines(), expected);
}

TEST_F(KeyReceiptTest, AnsweredHandOutsAreSkippedOthersPrint) {
  Mov(1, 1, 1, 10, 5, 100);  // returned the same day
  Mov(1, 2, 2, 10, 5, 100);
  Mov(2, 1, 1, 10, 5, 100);  // written off later
  Mov(2, 2, 3, 12, 5, 100);
  Mov(3, 1, 1, 10, 5, 100);  // handed out again later: prints
  Mov(3, 2, 1, 11, 5, 100);
  Mov(4, 7, 1, 10, 5, 100);  // latest movement of its key: prints
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Receipts(*run), "34|");
  // Progress counts printed movements only; the total is every row fetched.
  std::vector<std::string> progress;
  for (const auto& line : Shape(*run)) {
    if (line.rfind("progress", 0) == 0) progress.push_back(line);
  }
  EXPECT_THAT(progress, ElementsAre("progress 1/4", "progress 2/4"));
}

TEST_F(KeyReceiptTest, ReceiptsSplitByTakerNameAndByUser) {
  // Sorted by name: Carlos (user 5, then 6 by key order), then Diana.
  Mov(1, 1, 1, 10, 5, 100);
  Mov(2, 1, 1, 10, 6, 100);
  Mov(3, 1, 1, 10, 6, 101);
  Mov(4, 1, 1, 10, 6, 101);
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Receipts(*run), "1|2|34|");
  EXPECT_THAT(Values(*run, "pNomeUsuario"),
              ElementsAre("Ana Souza", "Bruno Lima", "Bruno Lima", "Bruno Lima"));
  EXPECT_THAT(Values(*run, "pDocumento"), ElementsAre(" - 123.456.789-00", " - 123.456.789-00", "", ""));
}

TEST_F(KeyReceiptTest, SkippedHandOutsNeitherSplitNorKeepOpenAReceipt) {
  struct Case {
    const char* name;
    std::vector<int> takers;     // per key 1..n: 100 or 101
    std::vector<bool> answered;  // per key: returned the same day
    const char* expected;
  };
  const Case cases[] = {
      {"last printed key followed by skipped ones of the same taker",
       {100, 100, 100}, {false, true, true}, "1|"},
      {"skipped key between two printed keys of one taker",
       {100, 100, 100}, {false, true, false}, "13|"},
      {"skipped key of the same taker before the next taker",
       {100, 100, 101}, {false, true, false}, "1|3|"},
      {"next taker's first key skipped",
       {100, 101, 101}, {false, true, false}, "1|3|"},
      {"every key answered", {100, 101}, {true, true}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    db_.Exec("delete from IMOVELCHAVEMOVIMENTO");
    for (size_t i = 0; i < c.takers.size(); ++i) {
      const int chave = static_cast<int>(i) + 1;
      Mov(chave, 1, 1, 10, 5, c.takers[i]);
      if (c.answered[i]) Mov(chave, 2, 2, 10, 5, c.takers[i]);
    }
    auto run = Run();
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Receipts(*run), c.expected);
    // Every page end follows a closing section.
    const auto shape = Shape(*run);
    for (size_t i = 0; i < shape.size(); ++i) {
      if (shape[i] == "page_end") {
        EXPECT_EQ(shape[i - 1], "section 11");
      }
    }
  }
}

TEST_F(KeyReceiptTest, DifferentTakerNamesNeverShareAReceipt) {
  // Names are compared themselves: neighbours that differ only in case or
  // accents never merge, nor do the first two, whose 32-bit FNV-1a hashes
  // are equal.
  Mov(4, 1, 1, 10, 5, 0, "Cliente kaixrmq");
  Mov(5, 1, 1, 10, 5, 0, "Cliente zglvpvv");
  Mov(1, 1, 1, 10, 5, 0, "JOSE");
  Mov(2, 1, 1, 10, 5, 0, "Jose");
  Mov(3, 1, 1, 10, 5, 0, "José");
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Receipts(*run), "4|5|1|2|3|");
}

TEST_F(KeyReceiptTest, TypedNameWinsAndUnnamedTakerFallsBackToTheUser) {
  Mov(1, 1, 1, 10, 5, 0);                    // nobody: user's name
  Mov(2, 1, 1, 10, 5, 0, "   ");             // blank typed name: nobody
  Mov(3, 1, 1, 10, 6, 100, "Zélia Portador");  // typed name over the person
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  // The two unnamed hand-outs group on the empty name; Zélia sorts last.
  EXPECT_EQ(Receipts(*run), "12|3|");
  EXPECT_THAT(Values(*run, "pNomePes"), ElementsAre("Ana Souza", "Ana Souza", "Zélia Portador"));
  // Zélia's row still joins the registered person's tax number.
  EXPECT_THAT(Values(*run, "pDocumento"), ElementsAre("", "", " - 123.456.789-00"));
}

TEST_F(KeyReceiptTest, FiltersNarrowTheHandOuts) {
  Mov(1, 1, 1, 10, 5, 100);
  Mov(2, 1, 1, 10, 0, 101);
  Mov(3, 1, 1, 10, 6, 0, "José da Silva");
  Mov(4, 1, 2, 10, 5, 100);  // a return: never a hand-out
  Mov(1, 0, 1, 9, 5, 100);  // the day before
  db_.Exec("insert into IMOVELCHAVEMOVIMENTO (CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ, "
           "TIPOMOVIMENTO, DATAMOVIMENTO, CODIGOUSUARIO) values (2, 42, 1, 1, 1, '2026-03-10', 5)");
  struct Case {
    ParamList params;
    const char* expected;
  };
  const Case cases[] = {
      {{}, "1|2|3|"},
      {{{"pCodigoUsuario", ""}}, "1|2|3|"},
      {{{"pCodigoUsuario", "0"}}, "2|"},
      {{{"pCodigoUsuario", "5"}}, "1|"},
      {{{"pCodigoUsuario", "x"}}, "1|2|3|"},
      {{{"pCodigoPessoaFin", "101"}}, "2|"},
      {{{"pCodigoImovel", "42"}}, "1|2|3|"},
      {{{"pCodigoImovel", "43"}}, ""},
      {{{"pNomePes", " silva "}}, "3|"},
      {{{"pNomePes", "o'brien"}}, ""},
      {{{"pDataMovimento", "09/03/2026"}}, "1|"},
      // The free condition replaces the type, user and person filters.
      {{{"pFiltro", "CHM.CODIGOCHAVE >= 3"}, {"pCodigoUsuario", "0"}, {"pCodigoPessoaFin", "101"}},
       "4|3|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.params.empty() ? "no filter" : c.params.front().first + "=" + c.params.front().second);
    auto run = Run(c.params);
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(Receipts(*run), c.expected);
  }
}

TEST_F(KeyReceiptTest, NothingToPrintSetsNothing) {
  Mov(1, 1, 2, 10, 5, 100);
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
}

TEST_F(KeyReceiptTest, OfficeWithoutConfigurationOrWithoutItsRow) {
  db_.Exec("delete from EMPRESACONFIGURACAO");
  Mov(1, 1, 1, 10, 5, 100);
  auto run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_THAT(Values(*run, "pDataHoraDevolucao"), ElementsAre("10/03/2026"));

  db_.Exec("delete from ESCRITORIO");
  run = Run();
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_THAT(Values(*run, "pNomeEmpresa"), ElementsAre("0000 "));
  EXPECT_THAT(Values(*run, "pInscrFederal"), ElementsAre("CNPJ: "));
  EXPECT_THAT(Values(*run, "pCidade"), ElementsAre(""));
  EXPECT_THAT(Values(*run, "pDataHoraDevolucao"), ElementsAre("10/03/2026"));
  EXPECT_EQ(Receipts(*run), "1|");
}

TEST_F(KeyReceiptTest, FailuresReachTheHost) {
  Mov(1, 1, 1, 10, 5, 100);
  {
    auto run = Run({{"pFiltro", "NO_SUCH_COLUMN = 1"}});
    EXPECT_TRUE(run->raised);
    EXPECT_THAT(run->error, HasSubstr("NO_SUCH_COLUMN"));
    EXPECT_TRUE(OnlyTheError(*run));
  }
  {
    auto run = Run({{"pDataMovimento", ""}});
    EXPECT_TRUE(run->raised);
    EXPECT_TRUE(OnlyTheError(*run));
  }
}

TEST_F(KeyReceiptTest, FreeConditionCannotChangeTheDatabase) {
  db_.Exec("create table RASTRO (N integer)");
  db_.Exec("create procedure GRAVAR returns (N integer) as begin "
           "insert into RASTRO (N) values (1); N = 1; suspend; end");
  Mov(1, 1, 1, 10, 5, 100);
  auto run = Run({{"pFiltro", "exists (select N from GRAVAR)"}});
  EXPECT_TRUE(run->raised);
  EXPECT_THAT(run->error, HasSubstr("read-only"));
  auto rows = dataworks::ExecutarSQL("select count(*) from RASTRO", {});
  EXPECT_EQ(rows->Fields(0).AsInteger(), 0);
}

}  // namespace

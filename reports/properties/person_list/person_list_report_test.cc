// The register of persons by role group.
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
using properties_test::Printed;
using properties_test::Sections;
using properties_test::Trace;
using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;

class PersonListTest : public ::testing::Test {
 protected:
  PersonListTest() : plugin_("PersonListReport") {
    // The office (person 1) is in no group; every run filters it out.
    Pessoa(9, "BRUNO", "111", {1}, {{6, "bruno@example.com"}});
    Pessoa(10, "ANA", "222", {1, 2}, {{3, "3333-0000"}, {0, "99999-0000"}});
    Pessoa(12, "CARLA", "333", {2}, {{5, "   "}});
    Pessoa(13, "EVA", "444", {}, {{2, "2222-1111"}});
    Pessoa(14, "FABIO", "555", {0}, {{4, "4444-0000"}});
    Pessoa(42, "GIL", "666", {3}, {{1, "98888-7777"}});
    agency_.db.Exec("UPDATE PESSOAFINANCEIRO SET BAIXADO = 1 WHERE CODIGOPESSOAFIN = 1");
  }

  void Pessoa(int codigo, const std::string& nome, const std::string& doc,
              const std::vector<int>& grupos, const std::vector<std::pair<int, std::string>>& contatos) {
    agency_.Pessoa(codigo, nome, doc);
    for (int g : grupos)
      agency_.db.Exec("INSERT INTO PESSOAGRUPO (CODIGOPESSOAFIN, TIPOGRUPOPESSOA) VALUES (:p, :g)",
                      {int64_t{codigo}, int64_t{g}});
    for (const auto& [tipo, valor] : contatos)
      agency_.db.Exec("INSERT INTO PESSOACONTATO (CODIGOPESSOACONTATO, CODIGOPESSOAFIN, "
                      "TIPOCONTATO, VALOR) VALUES (:c, :p, :t, :v)",
                      {int64_t{++contato_}, int64_t{codigo}, int64_t{tipo}, valor});
  }

  std::unique_ptr<PluginRun> Run(ParamList params) {
    const int live = dataworks::TnClientDataSet::LiveCount();
    auto run = plugin_.Run(properties_test::Merge({{"pBaixado", "0"}}, params));
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live) << "a dataset outlived the report";
    return run;
  }

  Agency agency_;
  PluginHarness plugin_;
  int contato_ = 0;
};

TEST_F(PersonListTest, GroupsWithHeadingsContactsAndContinuationLines) {
  auto run = Run({{"pOrdenar", "0"}});
  ASSERT_FALSE(run->raised) << run->error;
  const std::vector<std::string> names = {"pGrupoPessoa", "pPessoa", "pInscfederal", "pTipoContato",
                                          "pValor"};
  auto trace = Trace(*run, names);
  std::vector<std::string> sections;
  for (const auto& line : trace)
    if (line.rfind("progress", 0) != 0) sections.push_back(line);
  EXPECT_EQ(sections,
            (std::vector<std::string>{
                "8 pGrupoPessoa=|pPessoa=|pInscfederal=|pTipoContato=|pValor=",
                // No group (EVA) and group 0 (FABIO) both read as group 0: no heading.
                "10 pGrupoPessoa=Angariador(a)|pPessoa=00013 - EVA|pInscfederal=444|"
                "pTipoContato=Telefone Residencial|pValor=2222-1111",
                "10 pGrupoPessoa=Angariador(a)|pPessoa=00014 - FABIO|pInscfederal=555|"
                "pTipoContato=Telefone Recado|pValor=4444-0000",
                "11 pGrupoPessoa=Angariador(a)|pPessoa=00014 - FABIO|pInscfederal=555|"
                "pTipoContato=Telefone Recado|pValor=4444-0000",
                "9 pGrupoPessoa=Proprietário(a)|pPessoa=00014 - FABIO|pInscfederal=555|"
                "pTipoContato=Telefone Recado|pValor=4444-0000",
                // Only kinds 0 to 5 count as contacts.
                "10 pGrupoPessoa=Proprietário(a)|pPessoa=00009 - BRUNO|pInscfederal=111|"
                "pTipoContato=|pValor=",
                // The contact of lowest kind.
                "10 pGrupoPessoa=Proprietário(a)|pPessoa=00010 - ANA|pInscfederal=222|"
                "pTipoContato=Celular|pValor=99999-0000",
                "11 pGrupoPessoa=Proprietário(a)|pPessoa=00010 - ANA|pInscfederal=222|"
                "pTipoContato=Celular|pValor=99999-0000",
                "9 pGrupoPessoa=Inquilino(a)|pPessoa=00010 - ANA|pInscfederal=222|"
                "pTipoContato=Celular|pValor=99999-0000",
                // ANA again: her name stays, her document does not repeat.
                "10 pGrupoPessoa=Inquilino(a)|pPessoa=00010 - ANA|pInscfederal=|"
                "pTipoContato=Celular|pValor=99999-0000",
                // A contact of blanks only: no kind, the blanks as stored.
                "10 pGrupoPessoa=Inquilino(a)|pPessoa=00012 - CARLA|pInscfederal=333|"
                "pTipoContato=|pValor=   ",
                "11 pGrupoPessoa=Inquilino(a)|pPessoa=00012 - CARLA|pInscfederal=333|"
                "pTipoContato=|pValor=   ",
                "9 pGrupoPessoa=Interessado(a)|pPessoa=00012 - CARLA|pInscfederal=333|"
                "pTipoContato=|pValor=   ",
                "10 pGrupoPessoa=Interessado(a)|pPessoa=00042 - GIL|pInscfederal=666|"
                "pTipoContato=Celular Comercial|pValor=98888-7777",
            }));
  EXPECT_EQ(trace.back(), "progress 7/7");
  // The continuation line also empties pCodigoPessoaFin, which nothing else sets.
  const auto lines = run->Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "set pCodigoPessoaFin="), lines.end());
}

TEST_F(PersonListTest, OrderByNameInsideGroups) {
  auto run = Run({{"pOrdenar", "1"}, {"pTipoGrupo", "1-2"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(Sections(*run), (std::vector<int>{8, 9, 10, 10, 11, 9, 10, 10}));
  EXPECT_EQ(Column(*run, 10, "pPessoa"),
            (std::vector<std::string>{"00010 - ANA", "00009 - BRUNO", "00010 - ANA",
                                      "00012 - CARLA"}));
}

TEST_F(PersonListTest, QueryOrderStartsAGroupAtEveryChange) {
  auto run = Run({{"pOrdenar", "2"}});
  ASSERT_FALSE(run->raised) << run->error;
  // Whatever order the database gives, a heading (11 then 9, or 11 alone for
  // group 0) stands exactly where the group text changes.
  std::string previous;
  int lines = 0;
  bool heading_pending = false;
  for (const auto& e : run->sink.Events()) {
    if (e.event != "section") continue;
    if (e.section == 11) heading_pending = true;
    if (e.section != 10) continue;
    const std::string group = Printed(e, "pGrupoPessoa");
    if (lines > 0) {
      EXPECT_EQ(heading_pending, group != previous) << group;
    }
    heading_pending = false;
    previous = group;
    ++lines;
  }
  EXPECT_EQ(lines, 7);
}

TEST_F(PersonListTest, FiltersAndEmptyResult) {
  auto all = Run({{"pOrdenar", "0"}, {"pBaixado", ""}});
  EXPECT_EQ(Column(*all, 10, "pPessoa").front(), "00001 - IMOBILIARIA CENTRAL");

  auto none = Run({{"pOrdenar", "0"}, {"pTipoGrupo", "7"}});
  ASSERT_FALSE(none->raised) << none->error;
  EXPECT_TRUE(none->Lines().empty());

  auto bad = Run({{"pOrdenar", "0"}, {"pTipoGrupo", "1'; DELETE FROM PESSOAGRUPO"}});
  EXPECT_TRUE(bad->raised);
  EXPECT_NE(bad->error.find("Seleção inválida"), std::string::npos) << bad->error;
}

TEST_F(PersonListTest, OrderingThatIsNotAnIntegerRaisesAfterReleasingTheData) {
  for (const char* ordenar : {"", "x", "1,5"}) {
    auto run = Run({{"pOrdenar", ordenar}});
    EXPECT_TRUE(run->raised) << ordenar;
    const std::string message = std::string("'") + ordenar + "' não é um valor inteiro válido";
    EXPECT_EQ(run->error, message);
    EXPECT_EQ(run->Lines(), std::vector<std::string>{"error " + message}) << ordenar;
  }
}

TEST(PersonListClassTest, Version) {
  PluginHarness plugin("PersonListReport");
  EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.1.85.0]");
}

}  // namespace

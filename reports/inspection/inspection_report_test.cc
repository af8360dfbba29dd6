// The inspection report, driven through its built plug-in on small databases.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace {

using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::PluginRun;
using testing_support::TestDatabase;

// Sets, sections, progress, page ends and captions in the order they happened.
std::vector<std::string> Trace(const PluginRun& run) {
  std::vector<std::string> lines;
  for (const auto& e : run.sink.Events()) {
    if (e.event == "set") lines.push_back("set " + e.name + "=" + e.value);
    if (e.event == "section") lines.push_back("section " + std::to_string(e.section));
    if (e.event == "progress")
      lines.push_back("progress " + std::to_string(e.current) + "/" + std::to_string(e.total));
    if (e.event == "page_end") lines.push_back("page_end");
    if (e.event == "caption") lines.push_back("caption " + e.name + "=" + e.value);
  }
  return lines;
}

// Only the printing skeleton: progress, sections and page ends.
std::vector<std::string> Skeleton(const PluginRun& run) {
  std::vector<std::string> lines;
  for (const auto& line : Trace(run)) {
    if (line.rfind("set ", 0) != 0 && line.rfind("caption ", 0) != 0) lines.push_back(line);
  }
  return lines;
}

// The value a printed parameter showed at each print of `section`.
std::vector<std::string> ShownAt(const PluginRun& run, int section, const std::string& name) {
  std::vector<std::string> values;
  for (const auto& e : run.sink.Events()) {
    if (e.event != "section" || e.section != section) continue;
    std::string value = "<unset>";
    for (const auto& [n, v] : e.params) {
      if (n == name) value = v;
    }
    values.push_back(value);
  }
  return values;
}

std::vector<std::string> Captions(const PluginRun& run) {
  std::vector<std::string> texts;
  for (const auto& e : run.sink.Events()) {
    if (e.event == "caption") {
      EXPECT_EQ(e.name, "pDadosVistoria");
      texts.push_back(e.value);
    }
  }
  return texts;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out = "x'";
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out + "'";
}

class InspectionReportTest : public ::testing::Test {
 protected:
  // Office 1 in São Paulo, inspector 7, property 10 (an apartment on Rua das
  // Flores) and property 20 (a house without address), contract 100 whose
  // party is João.
  void SetUp() override {
    live_at_start_ = dataworks::TnClientDataSet::LiveCount();
    db_.Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) values (1, 'SÃO PAULO', 'SP')");
    db_.Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO, CODIGOMUNICIPIO) values (1, 'CENTRO', 1)");
    db_.Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (1, 'RUA')");
    db_.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (1, 'DAS FLORES')");
    db_.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
             "CODIGOBAIRRO, CODIGOMUNICIPIO) values (1, 1, 1, 1, 1)");
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) "
             "values (1, 'Imobiliária Central', '12.345.678/0001-90')");
    db_.Exec("insert into ESCRITORIO (CODIGOESCRIT) values (1)");
    db_.Exec("insert into PESSOAENDERECO (CODIGOPESSOAFIN, CODIGOENDERECO, PADRAO) values (1, 1, 1)");
    db_.Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO) values (7, 'ana')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (1, 0, 'APARTAMENTO')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (2, 0, 'CASA')");
    db_.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
             "NRENDERECO, COMPLEMENTO) values (1, 10, 1, 1, '45', 'AP 12')");
    db_.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL) values (1, 20, 2)");
    AddPerson(30, "João Inquilino");
    db_.Exec("insert into CONTRATO (CODIGOESCRIT, CODIGOCONTRATO, CODIGOIMOVEL, CODIGOPESSOAFIN) "
             "values (1, 100, 10, 30)");
  }

  void TearDown() override {
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_at_start_);
  }

  void AddPerson(int code, const std::string& name) {
    db_.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)",
             {int64_t{code}, name});
  }

  // An inspection of office 1; `contract` and `amends` 0 mean null, and
  // `description` is an SQL expression for the stored bytes.
  void AddInspection(int property, int code, int kind, const std::string& requested,
                     const std::string& done, int contract = 0, int amends = 0,
                     const std::string& description = "null") {
    // dd/mm/yyyy to an ISO date literal.
    auto date = [](const std::string& d) {
      return d.empty() ? std::string("null")
                       : "'" + d.substr(6, 4) + "-" + d.substr(3, 2) + "-" + d.substr(0, 2) + "'";
    };
    auto code_or_null = [](int v) { return v == 0 ? std::string("null") : std::to_string(v); };
    db_.Exec("insert into IMOVELVISTORIA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOVISTORIA, "
             "CODIGOVISTORIAADENDO, CODIGOCONTRATO, TIPOVISTORIA, DATASOLICITACAO, DATAVISTORIA, "
             "DESCRICAO, CODIGOUSUARIO) values (1, " +
             std::to_string(property) + ", " + std::to_string(code) + ", " +
             code_or_null(amends) + ", " + code_or_null(contract) + ", " + std::to_string(kind) +
             ", " + date(requested) + ", " + date(done) + ", " + description + ", 7)");
  }

  std::unique_ptr<PluginRun> Run(ParamList params) {
    auto run = harness_.Run(params);
    EXPECT_FALSE(run->raised) << run->error;
    return run;
  }

  static ParamList Period(const std::string& first = "01/01/2021",
                          const std::string& last = "31/12/2021") {
    return {{"pCodigoEscrit", "1"}, {"pDataInicial", first}, {"pDataFinal", last},
            {"pCodigoImovel", ""}, {"pCodigoVistoria", ""}};
  }

  TestDatabase db_;
  PluginHarness harness_{"InspectionReport"};
  int live_at_start_ = 0;
};

TEST_F(InspectionReportTest, VersionAnswersOnTheClass) {
  EXPECT_EQ(harness_.Class()->Versao(), "[versao: 1.1.90.0]");
}

TEST_F(InspectionReportTest, OfficeWithoutRowPrintsAndSetsNothing) {
  AddInspection(10, 1, 0, "05/03/2021", "05/03/2021", 100);
  auto params = Period();
  params[0].second = "2";
  auto run = Run(params);
  EXPECT_TRUE(run->sink.Events().empty()) << ::testing::PrintToString(Trace(*run));
}

TEST_F(InspectionReportTest, NoInspectionInThePeriodSetsOnlyTheHeading) {
  AddInspection(10, 1, 0, "05/03/2020", "05/03/2020", 100);
  auto run = Run(Period());
  EXPECT_EQ(Trace(*run), (std::vector<std::string>{
                             "set pNomeEmpresa=0001 Imobiliária Central",
                             "set pInscrFederal=CNPJ: 12.345.678/0001-90"}));
}

TEST_F(InspectionReportTest, ThreeInspectionsPrintOnePageEachWithProgressBefore) {
  AddInspection(10, 1, 0, "02/03/2021", "05/03/2021", 100);
  AddInspection(10, 2, 1, "10/06/2021", "12/06/2021", 100);
  AddInspection(20, 1, 2, "01/01/2021", "", 0);
  AddPerson(40, "Carla Dona");
  db_.Exec("insert into IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL) "
           "values (1, 20, 40, '1')");
  auto run = Run(Period());

  EXPECT_EQ(Skeleton(*run), (std::vector<std::string>{
                                "progress 1/3", "section 8", "section 9", "section 10", "page_end",
                                "progress 2/3", "section 8", "section 9", "section 10", "page_end",
                                "progress 3/3", "section 8", "section 9", "section 10"}));
  // Property, then inspection order. Property 20 has neither address nor
  // development, so only the separators of its one-line description remain.
  EXPECT_EQ(ShownAt(*run, 8, "pImovel"),
            (std::vector<std::string>{
                "0010 Apartamento - Rua Das Flores, 45  Ap 12 - Centro São Paulo - Sp - ",
                "0010 Apartamento - Rua Das Flores, 45  Ap 12 - Centro São Paulo - Sp - ",
                "0020 Casa -  ,    -   -  - "}));
  EXPECT_EQ(ShownAt(*run, 8, "pTipoDocumento"),
            (std::vector<std::string>{"TERMO DE VISTORIA", "TERMO DE VISTORIA", "TERMO DE VISTORIA"}));
  EXPECT_EQ(ShownAt(*run, 8, "pTipoVistoria"),
            (std::vector<std::string>{"Entrada", "Saída", "Imobiliária"}));
  EXPECT_EQ(ShownAt(*run, 8, "pContrato"), (std::vector<std::string>{"0100", "0100", "0000"}));
  EXPECT_EQ(ShownAt(*run, 8, "pVistoriador"),
            (std::vector<std::string>{"0007 ana", "0007 ana", "0007 ana"}));
  EXPECT_EQ(ShownAt(*run, 8, "pDataSolicitacao"),
            (std::vector<std::string>{"02/03/2021", "10/06/2021", "01/01/2021"}));
  EXPECT_EQ(ShownAt(*run, 8, "pDataVistoria"),
            (std::vector<std::string>{"05/03/2021", "12/06/2021", ""}));
  EXPECT_EQ(ShownAt(*run, 10, "pLocalData"),
            (std::vector<std::string>{"São Paulo, 5 de março de 2021",
                                      "São Paulo, 12 de junho de 2021",
                                      "São Paulo, 30 de dezembro de 1899"}));
  EXPECT_EQ(ShownAt(*run, 10, "pLocador"),
            (std::vector<std::string>{"Imobiliária Central", "Imobiliária Central",
                                      "Imobiliária Central"}));
  // The third has no contract: its tenant line falls back to the property's
  // responsible person.
  EXPECT_EQ(ShownAt(*run, 10, "pLocatario"),
            (std::vector<std::string>{"João Inquilino", "João Inquilino", "Carla Dona"}));
}

TEST_F(InspectionReportTest, AddendumTakesContractFromEarlierInspectionAndTenantFromAmendedOne) {
  // The move-in of property 10 lies before the period; the addendum amends it
  // and carries a contract of its own (200, Pedro) that must not show.
  AddPerson(31, "Pedro Outro");
  db_.Exec("insert into CONTRATO (CODIGOESCRIT, CODIGOCONTRATO, CODIGOIMOVEL, CODIGOPESSOAFIN) "
           "values (1, 200, 10, 31)");
  AddInspection(10, 1, 0, "10/12/2020", "11/12/2020", 100);
  AddInspection(10, 2, 3, "15/04/2021", "16/04/2021", 200, 1);
  auto run = Run(Period());

  EXPECT_EQ(Skeleton(*run), (std::vector<std::string>{"progress 1/1", "section 8", "section 9",
                                                      "section 10"}));
  EXPECT_EQ(ShownAt(*run, 8, "pTipoDocumento"), std::vector<std::string>{"ADENDO DE VISTORIA"});
  EXPECT_EQ(ShownAt(*run, 8, "pTipoVistoria"), std::vector<std::string>{"Adendo"});
  EXPECT_EQ(ShownAt(*run, 8, "pContrato"), std::vector<std::string>{"0100"});
  EXPECT_EQ(ShownAt(*run, 10, "pLocatario"), std::vector<std::string>{"João Inquilino"});
}

TEST_F(InspectionReportTest, TenantFallsBackToResponsiblePersonElseStaysEmpty) {
  // Property 10: an addendum of an inspection that does not exist, with a
  // responsible person. Property 20: no contract and nobody responsible (an
  // owner who is not the responsible one does not count).
  AddPerson(40, "Carla Dona");
  AddPerson(41, "Bruno Sócio");
  db_.Exec("insert into IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL) "
           "values (1, 10, 40, '1')");
  db_.Exec("insert into IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL) "
           "values (1, 20, 41, '0')");
  AddInspection(10, 5, 3, "15/04/2021", "16/04/2021", 0, 99);
  AddInspection(20, 1, 0, "15/04/2021", "16/04/2021");
  auto run = Run(Period());

  std::vector<std::string> tenant_sets;
  for (const auto& line : Trace(*run)) {
    if (line.rfind("set pLocatario=", 0) == 0) tenant_sets.push_back(line);
  }
  EXPECT_EQ(tenant_sets, (std::vector<std::string>{"set pLocatario=", "set pLocatario=Carla Dona",
                                                   "set pLocatario=", "set pLocatario="}));
  EXPECT_EQ(ShownAt(*run, 10, "pLocatario"), (std::vector<std::string>{"Carla Dona", ""}));
}

TEST_F(InspectionReportTest, UnknownKindPrintsEmptyWordAndPlainTitle) {
  AddInspection(10, 1, 7, "15/04/2021", "16/04/2021", 100);
  auto run = Run(Period());
  EXPECT_EQ(ShownAt(*run, 8, "pTipoVistoria"), std::vector<std::string>{""});
  EXPECT_EQ(ShownAt(*run, 8, "pTipoDocumento"), std::vector<std::string>{"TERMO DE VISTORIA"});
}

TEST_F(InspectionReportTest, DatesThatDoNotParseBecomeDayZero) {
  AddInspection(10, 1, 0, "15/04/2021", "16/04/2021", 100);
  AddInspection(10, 2, 0, "30/12/1899", "30/12/1899", 100);
  struct Case {
    const char* first;
    const char* last;
    int printed;
  };
  const Case cases[] = {
      {"", "31/12/2021", 2},           // from 30/12/1899 on: both requests
      {"01/01/2021", "", 0},           // up to 30/12/1899: nothing
      {"abc", "31/12/2021", 2},        // not a date at all
      {"31/02/2021", "31/12/2021", 2}, // an impossible date
      {"01/01/1800", "", 1},           // only the request of day zero
      {"01/01/2021", "31/12/2021", 1}, // only the recent one
  };
  for (const auto& c : cases) {
    auto run = Run(Period(c.first, c.last));
    EXPECT_EQ(ShownAt(*run, 8, "pContrato").size(), static_cast<size_t>(c.printed))
        << c.first << " .. " << c.last;
  }
}

TEST_F(InspectionReportTest, SelectionTextsNarrowOnlyWhenNotBlank) {
  AddInspection(10, 1, 0, "15/04/2021", "16/04/2021", 100);
  AddInspection(10, 2, 1, "15/05/2021", "16/05/2021", 100);
  AddInspection(20, 1, 2, "15/06/2021", "16/06/2021");
  struct Case {
    const char* property;
    const char* inspection;
    std::vector<std::string> kinds;
  };
  const Case cases[] = {
      {"   ", " ", {"Entrada", "Saída", "Imobiliária"}},
      {"10", "", {"Entrada", "Saída"}},
      {" 20 ", "", {"Imobiliária"}},
      {"", "2", {"Saída"}},
      {"1-15", "1", {"Entrada"}},
  };
  for (const auto& c : cases) {
    auto params = Period();
    params[3].second = c.property;
    params[4].second = c.inspection;
    auto run = Run(params);
    EXPECT_EQ(ShownAt(*run, 8, "pTipoVistoria"), c.kinds)
        << "'" << c.property << "' '" << c.inspection << "'";
  }
}

TEST_F(InspectionReportTest, MalformedSelectionRaisesAndReleasesEverything) {
  AddInspection(10, 1, 0, "15/04/2021", "16/04/2021", 100);
  auto params = Period();
  params[3].second = "1' OR '1'='1";
  auto run = harness_.Run(params);
  EXPECT_TRUE(run->raised);
  EXPECT_EQ(run->error.rfind("Seleção inválida", 0), 0u) << run->error;
  EXPECT_TRUE(Skeleton(*run).empty());
  // Refused before the office heading is set: the error is all there is.
  EXPECT_EQ(run->Lines().size(), 1u) << run->Lines().front();
  // TearDown checks that no dataset outlived the run.
}

TEST_F(InspectionReportTest, DescriptionBecomesPlainLines) {
  // Rich text with a Windows-1252 escape and a Unicode escape, stored as
  // ASCII; the same saved raw in Windows-1252 (bytes that are not UTF-8); in
  // UTF-8 with its mark; in UTF-16 with its mark; then no description at all,
  // which must not inherit the previous one.
  const std::string expected = "Sala em \xC3\xB3timo estado\r\nCozinha: ma\xC3\xA7\xC3\xA3s\r\n";
  const std::string escaped =
      "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0 Sala em \\'f3timo estado\\par\r\n"
      "Cozinha: ma\\u231?\\'e3s\\par\r\n}";
  const std::string raw1252 = "{\\rtf1\\ansi Sala em \xF3timo estado\\par\r\nCozinha: ma\xE7\xE3s\\par\r\n}";
  const std::string utf8 = "\xEF\xBB\xBF{\\rtf1 Sala em \xC3\xB3timo estado\\par Cozinha: ma\xC3\xA7\xC3\xA3s\\par}";
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("{\\rtf1 Sala em \xF3timo estado\\par Cozinha: ma\xE7\xE3s\\par}")) {
    utf16 += c;
    utf16 += '\0';
  }
  AddInspection(10, 1, 0, "15/04/2021", "16/04/2021", 100, 0, Hex(escaped));
  AddInspection(10, 2, 0, "15/04/2021", "16/04/2021", 100, 0, Hex(raw1252));
  AddInspection(10, 3, 0, "15/04/2021", "16/04/2021", 100, 0, Hex(utf8));
  AddInspection(10, 4, 0, "15/04/2021", "16/04/2021", 100, 0, Hex(utf16));
  AddInspection(10, 5, 0, "15/04/2021", "16/04/2021", 100);
  auto run = Run(Period());

  EXPECT_EQ(Captions(*run), (std::vector<std::string>{expected, expected, expected, expected, ""}));
  // The caption is in place before the description section prints.
  auto trace = Trace(*run);
  auto caption = std::find(trace.begin(), trace.end(), "caption pDadosVistoria=" + expected);
  ASSERT_NE(caption, trace.end());
  EXPECT_LT(caption, std::find(trace.begin(), trace.end(), "section 8"));
}

}  // namespace

namespace {

TEST_F(InspectionReportTest, FailingTenantLookUpRaisesAndReleasesEverything) {
  // A responsible flag that is not a number makes the engine fail the
  // responsible-person query while the first inspection prints.
  AddPerson(40, "Carla Dona");
  db_.Exec("insert into IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL) "
           "values (1, 20, 40, 'S')");
  AddInspection(20, 1, 0, "15/04/2021", "16/04/2021");
  AddInspection(20, 2, 0, "15/05/2021", "16/05/2021");
  auto run = harness_.Run(Period());
  EXPECT_TRUE(run->raised);
  EXPECT_NE(run->error.find("conversion error"), std::string::npos) << run->error;
  EXPECT_EQ(Skeleton(*run), (std::vector<std::string>{"progress 1/2", "section 8", "section 9"}));
  // TearDown checks that no dataset outlived the run.
}

}  // namespace

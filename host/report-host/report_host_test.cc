// report-host run as a program, the way the acceptance checks drive it: its
// options, exit statuses, form edits and the jsonl trace of a probe report.
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/dataworks/connection.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  std::vector<std::string> OutLines() const { return Split(out); }
  std::vector<std::string> ErrLines() const { return Split(err); }
  static std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ReportHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* build = getenv("AGENCY_BUILD_DIR");
    ASSERT_NE(build, nullptr) << "AGENCY_BUILD_DIR is not set";
    build_dir_ = build;
    std::string pattern = (fs::temp_directory_path() / "report-host-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    CreateDatabase();
  }
  static void TearDownTestSuite() {
    if (getenv("AGENCY_KEEP_TEST_FILES")) return;  // for looking at the database by hand
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Three countries. The database is made in a child process, so that this
  // process never starts an engine of its own next to the host's.
  static void CreateDatabase() {
    database_ = (dir_ / "paises.fdb").string();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int status = 0;
      try {
        auto connection = dataworks::TnConnection::Create(database_);
        dataworks::TnWriteTransaction t(*connection);
        t.Execute("CREATE TABLE PAIS (CODIGOPAIS INTEGER NOT NULL, NOMEPAIS VARCHAR(60))");
        t.CommitRetaining();
        t.Execute("INSERT INTO PAIS VALUES (2, 'Argentina')");
        t.Execute("INSERT INTO PAIS VALUES (3, 'Chile')");
        t.Execute("INSERT INTO PAIS VALUES (1, 'Brasil')");
        t.Commit();
      } catch (const std::exception& e) {
        fprintf(stderr, "cannot create %s: %s\n", database_.c_str(), e.what());
        status = 1;
      }
      _exit(status);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  static Result Host(const std::vector<std::string>& args) {
    std::string command = Quote((build_dir_ / "bin" / "report-host").string());
    for (const std::string& arg : args) command += " " + Quote(arg);
    const fs::path out = dir_ / "stdout";
    const fs::path err = dir_ / "stderr";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
    Result result;
    int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
  }

  static Result Probe(std::vector<std::string> args) {
    args.insert(args.begin(), {"--database", database_, "--format", "jsonl"});
    return Host(args);
  }

  static inline fs::path build_dir_;
  static inline fs::path dir_;
  static inline std::string database_;
};

TEST_F(ReportHostTest, HelpAndVersionNeedNoDatabase) {
  Result help = Host({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("REPORT"), std::string::npos);
  EXPECT_NE(help.out.find("--no-run"), std::string::npos);

  Result version = Host({"--database", "/nonexistent/x.fdb", "--version", "FrameProbeReport"});
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out, "[versao: 9.8.7.6]\n");

  Result by_path = Host({"--version", (build_dir_ / "plugins" / "FrameProbeReport.so").string()});
  EXPECT_EQ(by_path.out, "[versao: 9.8.7.6]\n");
  Result by_file_name = Host({"--version", "FrameProbeReport.so"});
  EXPECT_EQ(by_file_name.out, "[versao: 9.8.7.6]\n") << by_file_name.err;
}

TEST_F(ReportHostTest, UsageAndSetUpErrorsExitWithTwoAndOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"NaoExisteReport"},                                   // unknown plug-in
      {"--bogus", "FrameProbeReport"},                       // unknown option
      {"--format", "pdf", "FrameProbeReport"},               // bad format
      {},                                                    // no report
      {"--plugin-dir", dir_.string(), "FrameProbeReport"},   // not in that directory
      {"--no-run", "FrameProbeReport", "pNinguem=1"},        // unknown parameter
      {"--no-run", "FrameProbeReport", "semigual"},          // not NAME=VALUE
      {"--database", (dir_ / "nada.fdb").string(), "FrameProbeReport"},
      {"--database", database_, "--query", "select * from NADA", "FrameProbeReport"},
      {"--version", "FrameProbeUnregistered"},
  };
  for (const auto& args : cases) {
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    SCOPED_TRACE(shown);
    Result r = Host(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.ErrLines().size(), 1u) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_NE(Host({"NaoExisteReport"}).err.find("NaoExisteReport"), std::string::npos);
  EXPECT_NE(Host({"--no-run", "FrameProbeReport", "pNinguem=1"}).err.find("pNinguem"),
            std::string::npos);
}

TEST_F(ReportHostTest, FormGetsDefaultsThenDepoisConfigurarThenEditsInOrder) {
  Result r = Probe({"--form", "--no-run", "FrameProbeReport", "PORDENAR=Nome", "ptrava=1",
                    "pMensagem="});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            R"({"event":"form","controls":[)"
            R"({"name":"pModo","text":"listagem","value":"listagem","enabled":true},)"
            R"({"name":"pMensagem","text":"","value":"","enabled":true},)"
            R"({"name":"pOrdenar","text":"Nome","value":"NOMEPAIS","enabled":true},)"
            R"({"name":"pInicial","text":"configurado","value":"configurado","enabled":true},)"
            R"({"name":"pTrava","text":"Sim","value":"1","enabled":true},)"
            R"({"name":"pLivre","text":"","value":"","enabled":false}]})" "\n");

  // Opened again by a later edit, the control takes text again.
  Result reopened = Probe({"--form", "--no-run", "FrameProbeReport", "pTrava=1", "pTrava=Não",
                           "pLivre=novo"});
  ASSERT_EQ(reopened.status, 0) << reopened.err;
  EXPECT_NE(reopened.out.find(R"({"name":"pLivre","text":"novo","value":"novo","enabled":true})"),
            std::string::npos);
}

TEST_F(ReportHostTest, DisabledControlsRefuseOnlyEditsThatChangeTheirText) {
  Result refused = Probe({"--no-run", "FrameProbeReport", "pTrava=1", "pLivre=x"});
  EXPECT_EQ(refused.status, 2);
  ASSERT_EQ(refused.ErrLines().size(), 1u);
  EXPECT_NE(refused.err.find("pLivre"), std::string::npos);

  Result unchanged = Probe({"--no-run", "FrameProbeReport", "pTrava=1", "pLivre="});
  EXPECT_EQ(unchanged.status, 0) << unchanged.err;
}

TEST_F(ReportHostTest, RunsTheLayoutQueryAsDataSetAndTracesEveryEvent) {
  Result r = Probe({"FrameProbeReport", "pOrdenar=Código"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.OutLines(), (std::vector<std::string>{
      R"({"event":"section","section":8,"params":{},"row":{"CODIGOPAIS":"1","NOMEPAIS":"Brasil"}})",
      R"({"event":"progress","current":1,"total":3})",
      R"({"event":"section","section":8,"params":{},"row":{"CODIGOPAIS":"2","NOMEPAIS":"Argentina"}})",
      R"({"event":"progress","current":2,"total":3})",
      R"({"event":"section","section":8,"params":{},"row":{"CODIGOPAIS":"3","NOMEPAIS":"Chile"}})",
      R"({"event":"progress","current":3,"total":3})"}));

  // --query replaces the layout's query; -1 keeps the query's order.
  Result one = Probe({"--query", "select NOMEPAIS from PAIS where CODIGOPAIS > 1 order by 1 desc",
                      "FrameProbeReport", "pOrdenar=-1"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.OutLines(), (std::vector<std::string>{
      R"({"event":"section","section":8,"params":{},"row":{"NOMEPAIS":"Chile"}})",
      R"({"event":"progress","current":1,"total":2})",
      R"({"event":"section","section":8,"params":{},"row":{"NOMEPAIS":"Argentina"}})",
      R"({"event":"progress","current":2,"total":2})"}));
}

TEST_F(ReportHostTest, RaisedReportExitsWithOneAndEndsTheTraceWithTheError) {
  Result r = Probe({"--form", "FrameProbeReport", "pModo=erro", "pMensagem=Código 7 inválido"});
  EXPECT_EQ(r.status, 1);
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_EQ(r.ErrLines().back(), "Código 7 inválido");
  ASSERT_FALSE(r.OutLines().empty());
  EXPECT_EQ(r.OutLines().back(), R"({"event":"error","message":"Código 7 inválido"})");
}

TEST_F(ReportHostTest, RendersTextAndHtmlToStdoutOrAFile) {
  Result text = Host({"--database", database_, "FrameProbeReport", "pModo=valores"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("Relatório de prova\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Texto: linha 1\n       linha 2\nFim da prova\n"), std::string::npos)
      << text.out;

  const fs::path html = dir_ / "probe.html";
  Result to_file = Host({"--database", database_, "--format", "html", "--output", html.string(),
                         "FrameProbeReport", "pModo=valores"});
  ASSERT_EQ(to_file.status, 0) << to_file.err;
  EXPECT_EQ(to_file.out, "");
  const std::string page = ReadFile(html);
  EXPECT_NE(page.find("<!DOCTYPE html>"), std::string::npos);
  EXPECT_NE(page.find("Ana &quot;A&quot;\\B"), std::string::npos);
}

}  // namespace

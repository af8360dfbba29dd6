// Every report plug-in, run through report-host on a seeded sample database
// with hostile texts in each parameter of its form: every run ends with exit
// 0, or 1 with a message (2 only where the form refuses to edit a closed
// control), never with a signal, a sanitizer report or a hang; a malformed
// selection text prints nothing; and the database is the same afterwards.
//
// Each parameter gets a few values of the list, rotating over reports, so
// that the whole list is used while the test stays short;
// AGENCY_HOSTILE_ALL=1 gives every parameter every value.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"
#include "host/dataworks/sql.h"
#include "host/vcl/format_settings.h"
#include "tests/reliability/reliability_support.h"
#include "tests/support/plugin_harness.h"

namespace fs = std::filesystem;

namespace {

// Command-line arguments are limited to 128 KiB each; the megabyte texts go
// in-process through the plug-in harness instead.
const std::string kLongArgument(120000, 'A');

const std::vector<std::string>& HostileValues() {
  static const std::vector<std::string> values = {
      "",
      "   ",
      kLongArgument,
      "'",
      "\"",
      "O'Brien \"x\" ''",
      "1; DROP TABLE PLACA",
      "' OR '1'='1",
      ";",
      "--",
      "/*",
      "1) OR (1=1",
      "0 UNION SELECT RDB$RELATION_NAME FROM RDB$RELATIONS",
      "31/02/2024",
      "01/01/99999",
      "00/00/0000",
      "2024-01-01",
      "99999999999999999999999999",
      "-2147483649",
      "-1",
      "1e308",
      "NaN",
      "São João – ação 日本",
      "\xff\xfe\xc3",
      "abc\xe2\x82",
      "9-1",
      "1,,2",
      "1-5; 8 ;10",
      std::string(4000, '9'),
      "%s%n%x {} \\",
  };
  return values;
}

// The environment of the runs made without the sanitizers' leak check.
const std::vector<std::string> kNoLeakCheck = [] {
  const char* options = std::getenv("ASAN_OPTIONS");
  const std::string before = options && *options ? std::string(options) + ":" : "";
  return std::vector<std::string>{"ASAN_OPTIONS=" + before + "detect_leaks=0"};
}();

// The malformed selection text that every parameter also gets.
const std::string kBadSelection = "1-; x";

std::string LastLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const size_t nl = text.rfind('\n');
  return nl == std::string::npos ? text : text.substr(nl + 1);
}

std::string Shown(const std::string& value) {
  if (value.size() > 60) return "<" + std::to_string(value.size()) + " bytes>";
  return "'" + value + "'";
}

class HostileParamsTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    vcl::ResetFormatSettings();
    database_ = reliability::SeededDatabaseCopy();
    work_ = fs::path(database_).parent_path().string();
    {
      auto connection = dataworks::TnConnection::Open(database_);
      before_ = reliability::DigestTables(*connection);
    }
    layout_ = reliability::LayoutOf(GetParam());
  }
  void TearDown() override { reliability::RemoveDatabaseCopy(database_); }

  // One report-host run with NAME=VALUE; checks how it ended. Under the
  // sanitizers the leak check at exit costs more than the run itself, so
  // only the runs that ask for it make it (every run with AGENCY_HOSTILE_ALL).
  void RunHost(const std::string& name, const std::string& value, bool check_leaks = false) {
    SCOPED_TRACE(GetParam() + " " + name + "=" + Shown(value));
    const std::string out = work_ + "/out.jsonl";
    const std::string err = work_ + "/err.txt";
    const std::string host = reliability::BuildDir() + "/bin/report-host";
    const auto result = reliability::RunProcess(
        {host, "--database", database_, "--format", "jsonl", "--output", out, GetParam(),
         name + "=" + value},
        120, work_ + "/stdout.txt", err, check_leaks ? std::vector<std::string>{} : kNoLeakCheck);
    ++runs_;
    const std::string stderr_text = reliability::ReadFile(err);
    ASSERT_FALSE(result.timed_out) << "hung";
    ASSERT_EQ(result.signal, 0) << "ended by signal " << result.signal << "\n" << stderr_text;
    ASSERT_EQ(stderr_text.find("Sanitizer"), std::string::npos) << stderr_text;
    ASSERT_EQ(stderr_text.find("runtime error:"), std::string::npos) << stderr_text;
    if (result.exit_code == 2) {
      EXPECT_NE(stderr_text.find("desabilitado"), std::string::npos)
          << "exit 2 for something other than a closed control: " << stderr_text;
      return;
    }
    ASSERT_TRUE(result.exit_code == 0 || result.exit_code == 1)
        << "exit " << result.exit_code << "\n" << stderr_text;

    std::vector<nlohmann::json> events;
    std::istringstream lines(reliability::ReadFile(out));
    for (std::string line; std::getline(lines, line);) {
      ASSERT_NO_THROW(events.push_back(nlohmann::json::parse(line))) << line.substr(0, 200);
    }
    if (result.exit_code == 0) {
      for (const auto& e : events) EXPECT_NE(e["event"], "error");
      return;
    }
    const std::string message = LastLine(stderr_text);
    EXPECT_FALSE(message.empty()) << "exit 1 without a message";
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back()["event"], "error");
    const std::string reported = events.back().value("message", "");
    if (reported.rfind("Seleção inválida", 0) == 0) {
      EXPECT_EQ(events.size(), 1u) << "printed before refusing the selection text: "
                                   << events.front().dump().substr(0, 200);
    }
  }

  // The megabyte texts, in-process through the harness with the form's
  // defaults for the other parameters: an error or a report, no crash.
  void RunMegabyte(const std::string& name) {
    SCOPED_TRACE(GetParam() + " " + name + "=<1 MiB>");
    auto connection = dataworks::TnConnection::Open(database_);
    dataworks::SetDefaultConnection(connection.get());
    const int live = dataworks::TnClientDataSet::LiveCount();
    testing_support::PluginHarness harness(GetParam());
    for (const std::string& text : {std::string(1 << 20, 'x'), std::string(1 << 20, '7')}) {
      testing_support::ParamList params = reliability::DefaultParams(layout_);
      for (auto& [n, v] : params) {
        if (n == name) v = text;
      }
      std::unique_ptr<vcl::TClientDataSet> rows;
      if (!layout_.query.empty()) rows = dataworks::ExecutarSQL(layout_.query, {});
      auto run = harness.Run(params, std::move(rows));
      if (run->raised) {
        EXPECT_FALSE(run->error.empty());
      }
      EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live);
    }
    dataworks::SetDefaultConnection(nullptr);
  }

  std::string database_;
  std::string work_;
  printworks::TnLayout layout_;
  std::map<std::string, reliability::TableDigest> before_;
  int runs_ = 0;
};

TEST_P(HostileParamsTest, EndsCleanlyAndLeavesTheDatabaseUnchanged) {
  const auto& values = HostileValues();
  const bool all = std::getenv("AGENCY_HOSTILE_ALL") != nullptr;
  const size_t per_param = all ? values.size() : 3;
  // Where this report starts in the list, so that reports share the load.
  size_t next = std::hash<std::string>{}(GetParam()) % values.size();
  for (const auto& control : layout_.form) {
    RunHost(control.name, kBadSelection, /*check_leaks=*/true);
    for (size_t i = 0; i < per_param; ++i) {
      RunHost(control.name, values[next], /*check_leaks=*/all);
      next = (next + 1) % values.size();
    }
    RunMegabyte(control.name);
  }
  auto connection = dataworks::TnConnection::Open(database_);
  EXPECT_EQ(reliability::DigestTables(*connection), before_) << "the database changed";
  EXPECT_FALSE(before_.empty());
  RecordProperty("runs", runs_);
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

INSTANTIATE_TEST_SUITE_P(Plugins, HostileParamsTest,
                         ::testing::ValuesIn(reliability::ReportPlugins()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(HostileParamsTest);

}  // namespace

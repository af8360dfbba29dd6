// Every report plug-in, run on a seeded sample database with its layout's
// default parameters, while the data layer fails its k-th query (for every k)
// or its k-th fetched row (the first and last row of every query): the
// failure must reach the host with its message unchanged, nothing may be
// printed that a clean run would not have printed before that point, and no
// dataset may outlive the report.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"
#include "host/dataworks/fault_injection.h"
#include "host/dataworks/sql.h"
#include "host/vcl/format_settings.h"
#include "tests/reliability/reliability_support.h"
#include "tests/support/plugin_harness.h"

namespace {

constexpr int kFar = INT_MAX / 2;  // a fault armed here never fires

struct Counts {
  int queries = 0;
  int fetches = 0;
};

Counts CountsSince(int query_target, int fetch_target) {
  return {query_target - dataworks::fault_detail::query_countdown,
          fetch_target - dataworks::fault_detail::fetch_countdown};
}

std::vector<std::string> WithoutError(std::vector<std::string> lines) {
  if (!lines.empty() && lines.back().rfind("error ", 0) == 0) lines.pop_back();
  return lines;
}

bool IsPrefix(const std::vector<std::string>& prefix, const std::vector<std::string>& whole) {
  return prefix.size() <= whole.size() && std::equal(prefix.begin(), prefix.end(), whole.begin());
}

std::string Describe(const std::vector<std::string>& lines, size_t max = 12) {
  std::string text;
  for (size_t i = 0; i < lines.size() && i < max; ++i) text += "\n  " + lines[i];
  if (lines.size() > max) text += "\n  ... (" + std::to_string(lines.size()) + " lines)";
  return text;
}

// A run whose armed failure fired: the failure reaches the host with its own
// message, and what was printed is what a clean run prints up to that point.
void ExpectFailureReachedTheHost(const testing_support::PluginRun& run,
                                 const std::vector<std::string>& lines,
                                 const std::string& message,
                                 const std::vector<std::string>& clean_lines) {
  EXPECT_TRUE(run.raised) << "the failure was swallowed; printed:" << Describe(lines);
  if (run.raised) {
    EXPECT_EQ(run.error, message);
  }
  EXPECT_TRUE(IsPrefix(WithoutError(lines), clean_lines))
      << "printed what a clean run does not print at that point:" << Describe(lines);
}

class FaultInjectionTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    vcl::ResetFormatSettings();
    path_ = reliability::SeededDatabaseCopy();
    connection_ = dataworks::TnConnection::Open(path_);
    dataworks::SetDefaultConnection(connection_.get());
    layout_ = reliability::LayoutOf(GetParam());
    params_ = reliability::DefaultParams(layout_);
    harness_ = std::make_unique<testing_support::PluginHarness>(GetParam());
  }
  void TearDown() override {
    dataworks::ResetFaults();
    harness_.reset();
    dataworks::SetDefaultConnection(nullptr);
    connection_.reset();
    reliability::RemoveDatabaseCopy(path_);
  }

  // The rows of the layout's own query, as the host hands them over; read
  // before any fault is armed.
  std::unique_ptr<vcl::TClientDataSet> LayoutRows() {
    if (layout_.query.empty()) return nullptr;
    return dataworks::ExecutarSQL(layout_.query, {});
  }

  std::string path_;
  std::unique_ptr<dataworks::TnConnection> connection_;
  printworks::TnLayout layout_;
  testing_support::ParamList params_;
  std::unique_ptr<testing_support::PluginHarness> harness_;
};

TEST_P(FaultInjectionTest, EveryQueryAndFetchFailureReachesTheHostAndLeaksNothing) {
  const int live = dataworks::TnClientDataSet::LiveCount();

  // A clean run counts the queries and rows and must print something.
  auto rows = LayoutRows();
  dataworks::FailQueryNumber(kFar);
  dataworks::FailFetchNumber(kFar);
  auto clean = harness_->Run(params_, std::move(rows));
  const Counts total = CountsSince(kFar, kFar);
  dataworks::ResetFaults();
  ASSERT_FALSE(clean->raised) << clean->error;
  const std::vector<std::string> clean_lines = clean->Lines();
  ASSERT_TRUE(std::any_of(clean_lines.begin(), clean_lines.end(),
                          [](const std::string& l) { return l.rfind("section ", 0) == 0; }))
      << "the layout's default parameters print nothing";
  ASSERT_EQ(dataworks::TnClientDataSet::LiveCount(), live);
  std::printf("%s: %d queries, %d rows, %zu events\n", GetParam().c_str(), total.queries,
              total.fetches, clean_lines.size());

  // Query k fails; the fetch counter at that moment tells where each query's
  // rows begin.
  std::vector<int> rows_before_query;
  for (int k = 1; k <= total.queries + 1; ++k) {
    SCOPED_TRACE("query " + std::to_string(k) + " of " + std::to_string(total.queries));
    auto data = LayoutRows();
    dataworks::FailQueryNumber(k);
    dataworks::FailFetchNumber(kFar);
    auto run = harness_->Run(params_, std::move(data));
    const bool fired = dataworks::fault_detail::query_countdown == 0;
    rows_before_query.push_back(CountsSince(kFar, kFar).fetches);
    dataworks::ResetFaults();
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live);
    const std::vector<std::string> lines = run->Lines();
    if (k > total.queries) {
      EXPECT_FALSE(fired);
      EXPECT_FALSE(run->raised) << run->error;
      EXPECT_EQ(lines, clean_lines);
      continue;
    }
    ASSERT_TRUE(fired);
    ExpectFailureReachedTheHost(*run, lines, "Falha simulada na consulta " + std::to_string(k),
                                clean_lines);
  }

  // The first and the last row of every query fail, and the row after all.
  std::set<int> fetches = {1, total.fetches, total.fetches + 1};
  rows_before_query.back() = total.fetches;
  for (size_t j = 0; j + 1 < rows_before_query.size(); ++j) {
    fetches.insert(rows_before_query[j] + 1);
    fetches.insert(rows_before_query[j + 1]);
  }
  for (int k : fetches) {
    if (k < 1) continue;
    SCOPED_TRACE("row " + std::to_string(k) + " of " + std::to_string(total.fetches));
    auto data = LayoutRows();
    dataworks::FailFetchNumber(k);
    auto run = harness_->Run(params_, std::move(data));
    const bool fired = dataworks::fault_detail::fetch_countdown == 0;
    dataworks::ResetFaults();
    EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live);
    const std::vector<std::string> lines = run->Lines();
    if (k > total.fetches) {
      EXPECT_FALSE(fired);
      EXPECT_EQ(lines, clean_lines);
      continue;
    }
    ASSERT_TRUE(fired);
    ExpectFailureReachedTheHost(*run, lines, "Falha simulada ao ler a linha " + std::to_string(k),
                                clean_lines);
  }
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

INSTANTIATE_TEST_SUITE_P(Plugins, FaultInjectionTest,
                         ::testing::ValuesIn(reliability::ReportPlugins()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FaultInjectionTest);

}  // namespace

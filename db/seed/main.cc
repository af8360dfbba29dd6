// agency-seed: creates an agency database with the schema and fills it with
// deterministic sample data.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "db/seed/generator.h"
#include "db/seed/row_sink.h"
#include "db/seed/schema_text.h"
#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"

namespace {

// A DSN names a server when it has "host:path" (or "host/port:path") form.
bool IsLocalPath(const std::string& dsn) {
  auto colon = dsn.find(':');
  auto slash = dsn.find('/');
  return colon == std::string::npos || (slash != std::string::npos && slash < colon && slash == 0);
}

// Indexes of the schema that back no key constraint.
std::vector<std::string> SecondaryIndexes(dataworks::TnConnection& connection) {
  auto rows = connection.Query(
      "select trim(I.RDB$INDEX_NAME) from RDB$INDICES I "
      "where coalesce(I.RDB$SYSTEM_FLAG, 0) = 0 and not exists (select 1 from "
      "RDB$RELATION_CONSTRAINTS C where C.RDB$INDEX_NAME = I.RDB$INDEX_NAME) "
      "order by 1", {});
  std::vector<std::string> names;
  for (rows->First(); !rows->Eof(); rows->Next()) names.push_back(rows->Fields(0).AsString());
  return names;
}

void SetIndexes(dataworks::TnConnection& connection, const std::vector<std::string>& names,
                const char* state) {
  dataworks::TnWriteTransaction transaction(connection);
  for (const std::string& name : names)
    transaction.Execute("ALTER INDEX " + name + " " + state);
  transaction.Commit();
}

void PrintSummary(const agency_seed::RowSink& sink, const agency_seed::SeedSummary& summary,
                  double seconds) {
  std::string counts;
  for (const auto& [table, rows] : sink.Counts())
    counts += (counts.empty() ? "" : ", ") + table + "=" + std::to_string(rows);
  std::cout << counts << "\n";
  std::cout << "office 1: " << summary.key_handouts_last_day << " key hand-outs on "
            << agency_seed::ShortDate(agency_seed::DataEnd()) << " ("
            << summary.key_handouts_last_day_open << " still out) and "
            << summary.key_handouts_new_year << " on " << agency_seed::ShortDate(agency_seed::NewYearDay())
            << " (" << summary.key_handouts_new_year_open << " unanswered), "
            << summary.sign_movements_june_2024 << " sign movements and "
            << summary.inspections_june_2024 << " inspections requested in 06/2024; "
            << "data from " << agency_seed::ShortDate(agency_seed::DataStart()) << " to "
            << agency_seed::ShortDate(agency_seed::DataEnd()) << "; " << seconds << " s\n";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Creates an agency database with its schema and deterministic sample data."};
  std::string database;
  std::string script;
  agency_seed::SeedOptions options;
  bool force = false;
  app.add_option("--database", database,
                 "database to create: a file path (embedded engine) or host[/port]:path");
  app.add_option("--scale", options.scale,
                 "size: 1 is a small agency (~120 properties, ~10k sign and ~10k key "
                 "movements); everything but the catalogues grows linearly")
      ->check(CLI::Range(1, 10000));
  app.add_option("--seed", options.seed, "random seed; the same seed and scale give the same data");
  app.add_flag("--force", force, "replace an existing database file");
  app.add_option("--sql", script, "write the schema and the INSERT statements to this file "
                                  "instead of creating a database");
  app.footer(
      "Offices 1 (São Paulo, the richest) and 2 (Campinas). Movements, contracts and "
      "inspections run from 03/01/2022 to 20/12/2024. On 20/12/2024 and on 01/01/2024 office 1 "
      "hands out keys that are still out (receipts of those days); June 2024 has sign movements, "
      "inspections and insurance policies ending for office 1. Property 1 of office 1 has a "
      "write-off and a reactivation.");
  CLI11_PARSE(app, argc, argv);
  if (database.empty() == script.empty()) {
    std::cerr << "agency-seed: give either --database or --sql\n";
    return 2;
  }

  auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  bool created = false;
  try {
    if (!script.empty()) {
      std::ofstream out(script, std::ios::binary);
      if (!out) {
        std::cerr << "agency-seed: cannot write " << script << "\n";
        return 2;
      }
      out << agency_seed::SchemaText() << "\nCOMMIT;\n";
      auto sink = agency_seed::MakeScriptSink(out);
      auto summary = agency_seed::GenerateAgency(*sink, options);
      PrintSummary(*sink, summary, elapsed());
      return 0;
    }
    if (IsLocalPath(database) && std::filesystem::exists(database)) {
      if (!force) {
        std::cerr << "agency-seed: " << database << " already exists (use --force to replace it)\n";
        return 2;
      }
      std::filesystem::remove(database);
    }
    created = IsLocalPath(database);
    {
      auto connection = dataworks::TnConnection::Create(database);
      dataworks::ExecuteScript(*connection, std::string(agency_seed::SchemaText()));
      // Secondary indexes are built once at the end: much faster than
      // keeping them up to date row by row.
      std::vector<std::string> indexes = SecondaryIndexes(*connection);
      SetIndexes(*connection, indexes, "INACTIVE");
      auto sink = agency_seed::MakeDatabaseSink(*connection);
      auto summary = agency_seed::GenerateAgency(*sink, options);
      SetIndexes(*connection, indexes, "ACTIVE");
      PrintSummary(*sink, summary, elapsed());
    }
  } catch (const std::exception& e) {
    std::cerr << "agency-seed: " << e.what() << "\n";
    // A half-filled database must not pass for a sample database later.
    std::error_code ignored;
    if (created) std::filesystem::remove(database, ignored);
    return 1;
  }
  return 0;
}

// bench-fetch: runs the queries a report ran (as captured by the capture
// library: one JSON object a line with "sql" and "values") through the data
// layer into client datasets, and nothing else. This is the floor a report's
// own run time is measured against.
//
//   bench-fetch --database DSN QUERIES.jsonl
//
// Prints one line: queries=<n> rows=<fetched rows> errors=<failed queries>.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"
#include "host/dataworks/sql.h"

namespace {

struct Captured {
  std::string sql;
  vcl::VariantArray values;
};

vcl::Variant ValueFromJson(const nlohmann::json& j) {
  if (j.contains("int")) return vcl::Variant(std::in_place_type<int64_t>, j["int"].get<int64_t>());
  if (j.contains("float")) return vcl::Variant(j["float"].get<double>());
  if (j.contains("datetime")) return vcl::Variant(vcl::DateTimeValue{j["datetime"].get<double>()});
  if (j.contains("text")) return vcl::Variant(j["text"].get<std::string>());
  if (j.contains("bool")) return vcl::Variant(j["bool"].get<bool>());
  return vcl::Variant(vcl::Null{});
}

std::vector<Captured> ReadCaptured(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<Captured> queries;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    nlohmann::json j = nlohmann::json::parse(line);
    Captured q{j["sql"].get<std::string>(), {}};
    for (const auto& v : j["values"]) q.values.push_back(ValueFromJson(v));
    queries.push_back(std::move(q));
  }
  return queries;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Runs a report's captured queries into client datasets."};
  std::string database;
  std::string queries_path;
  app.add_option("--database", database, "database file or host[/port]:path")->required();
  app.add_option("queries", queries_path, "captured queries, one JSON object a line")->required();
  CLI11_PARSE(app, argc, argv);

  try {
    std::vector<Captured> queries = ReadCaptured(queries_path);
    auto connection = dataworks::TnConnection::Open(database);
    dataworks::SetDefaultConnection(connection.get());
    // Every dataset stays alive to the end, as a report holds its datasets.
    std::vector<std::unique_ptr<dataworks::TnClientDataSet>> held;
    long rows = 0;
    int errors = 0;
    for (const Captured& q : queries) {
      try {
        auto data = dataworks::ExecutarSQL(q.sql, q.values);
        rows += data->RecordCount();
        held.push_back(std::move(data));
      } catch (const std::exception&) {
        ++errors;  // the report saw the same failure
      }
    }
    for (auto& data : held) dataworks::DestruirSQL(data);
    dataworks::SetDefaultConnection(nullptr);
    std::cout << "queries=" << queries.size() << " rows=" << rows << " errors=" << errors << "\n";
  } catch (const std::exception& e) {
    std::cerr << "bench-fetch: " << e.what() << "\n";
    return 2;
  }
  return 0;
}

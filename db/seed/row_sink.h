// Where generated rows go: a database through prepared INSERT statements, or
// an SQL script. Rows of one table always come with the same column list.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/vcl/variant.h"

namespace dataworks {
class TnConnection;
}

namespace agency_seed {

struct Table {
  std::string name;
  std::vector<std::string> columns;
};

class RowSink {
 public:
  virtual ~RowSink() = default;
  // Adds one row; `values` match table.columns one to one.
  virtual void Insert(const Table& table, const vcl::VariantArray& values) = 0;
  // Makes everything written so far permanent.
  virtual void Finish() = 0;

  // Rows written per table, in the order tables were first used.
  const std::vector<std::pair<std::string, int64_t>>& Counts() const { return counts_; }

 protected:
  void Count(const std::string& table);

 private:
  std::vector<std::pair<std::string, int64_t>> counts_;
};

// The INSERT text of a table with one colon-named parameter per column.
std::string InsertText(const Table& table);

// Writes through one read-write transaction of `connection`, one prepared
// statement per table, committing (and retaining the transaction) every
// `batch` rows.
std::unique_ptr<RowSink> MakeDatabaseSink(dataworks::TnConnection& connection, int batch = 20000);

// Writes "INSERT INTO ... VALUES (...);" lines with literal values.
std::unique_ptr<RowSink> MakeScriptSink(std::ostream& out);

// The SQL literal of a value as the script sink writes it: numbers plain,
// texts quoted with doubled quotes, dates as 'YYYY-MM-DD' (with the time when
// it is not midnight), null as NULL.
std::string SqlLiteral(const vcl::Variant& value);

}  // namespace agency_seed

#include "db/seed/row_sink.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "db/seed/calendar.h"

namespace agency_seed {

void RowSink::Count(const std::string& table) {
  for (auto& entry : counts_) {
    if (entry.first == table) {
      ++entry.second;
      return;
    }
  }
  counts_.emplace_back(table, 1);
}

std::string InsertText(const Table& table) {
  std::string sql = "INSERT INTO " + table.name + " (";
  std::string values;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    if (i) {
      sql += ", ";
      values += ", ";
    }
    sql += table.columns[i];
    values += ":p" + std::to_string(i + 1);
  }
  return sql + ") VALUES (" + values + ")";
}

std::string SqlLiteral(const vcl::Variant& value) {
  struct Visitor {
    std::string operator()(const vcl::Null&) const { return "NULL"; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const {
      char buf[64];
      auto res = std::to_chars(buf, buf + sizeof buf, v);
      return std::string(buf, res.ptr);
    }
    std::string operator()(const vcl::DateTimeValue& v) const {
      return "'" + DateTimeText(v.value) + "'";
    }
    std::string operator()(const std::string& v) const {
      std::string out = "'";
      for (char c : v) {
        out += c;
        if (c == '\'') out += '\'';
      }
      return out + "'";
    }
    std::string operator()(bool v) const { return v ? "1" : "0"; }
  };
  return std::visit(Visitor{}, value);
}

namespace {

class ScriptSink : public RowSink {
 public:
  explicit ScriptSink(std::ostream& out) : out_(out) {}

  void Insert(const Table& table, const vcl::VariantArray& values) override {
    out_ << "INSERT INTO " << table.name << " (";
    for (size_t i = 0; i < table.columns.size(); ++i) out_ << (i ? ", " : "") << table.columns[i];
    out_ << ") VALUES (";
    for (size_t i = 0; i < values.size(); ++i) out_ << (i ? ", " : "") << SqlLiteral(values[i]);
    out_ << ");\n";
    Count(table.name);
  }

  void Finish() override { out_ << "COMMIT;\n"; }

 private:
  std::ostream& out_;
};

}  // namespace

std::unique_ptr<RowSink> MakeScriptSink(std::ostream& out) {
  return std::make_unique<ScriptSink>(out);
}

}  // namespace agency_seed

#include "host/dataworks/sql.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/strings.h"

namespace dataworks {

// ---- Running queries ----

std::unique_ptr<TnClientDataSet> ExecutarSQL(const std::string& sql,
                                             const vcl::VariantArray& values, bool, bool, int,
                                             const std::string&, TnConnection* connection, bool) {
  TnConnection* target = connection ? connection : DefaultConnection();
  if (!target) {
    throw vcl::Exception("Não há conexão com o banco de dados para executar a consulta");
  }
  return target->Query(sql, values);
}

void DestruirSQL(std::unique_ptr<TnClientDataSet>& data_set) { data_set.reset(); }

vcl::Variant TnDMSQLDataSet::PegarValorCampo(const std::string& table, const std::string& column,
                                             const std::string& condition) {
  std::string sql = "select first 1 " + column + " from " + table;
  if (!vcl::Trim(condition).empty()) sql += " where " + condition;
  std::unique_ptr<TnClientDataSet> data_set = ExecutarSQL(sql, {});
  if (data_set->IsEmpty()) return vcl::Null{};
  return data_set->Fields(0).AsVariant();
}

TnDMSQLDataSet& nDMSQLDataSet() {
  static TnDMSQLDataSet module;
  return module;
}

// ---- SQL literals ----

namespace {

std::string QuotedText(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  quoted += '\'';
  return quoted;
}

std::string FloatLiteral(double value) {
  if (!std::isfinite(value)) throw vcl::EConvertError("Valor numérico inválido para SQL");
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DateLiteral(vcl::TDateTime value) {
  int year, month, day;
  vcl::DecodeDate(value, year, month, day);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "'%04d-%02d-%02d'", year, month, day);
  return buffer;
}

std::string TimestampLiteral(vcl::TDateTime value) {
  int hour, minute, second, millisecond;
  vcl::DecodeTime(value, hour, minute, second, millisecond);
  if (hour == 0 && minute == 0 && second == 0 && millisecond == 0) return DateLiteral(value);
  int year, month, day;
  vcl::DecodeDate(value, year, month, day);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "'%04d-%02d-%02d %02d:%02d:%02d.%03d'", year, month, day,
                hour, minute, second, millisecond);
  return buffer;
}

bool IsIntegerType(vcl::TFieldType type) {
  return type == vcl::TFieldType::ftSmallint || type == vcl::TFieldType::ftInteger ||
         type == vcl::TFieldType::ftLargeint;
}

// A text converted as the field type asks; quoted when the type is textual
// or not given.
std::string TextLiteral(const std::string& text, std::optional<vcl::TFieldType> type) {
  if (!type) return QuotedText(text);
  if (IsIntegerType(*type)) return std::to_string(vcl::StrToInt64(text));
  switch (*type) {
    case vcl::TFieldType::ftFloat:
    case vcl::TFieldType::ftCurrency:
      return FloatLiteral(vcl::StrToFloat(text));
    case vcl::TFieldType::ftDate:
    case vcl::TFieldType::ftDateTime:
      return DateLiteral(vcl::StrToDate(text));
    case vcl::TFieldType::ftBoolean:
      return vcl::StrToBool(text) ? "TRUE" : "FALSE";
    default:
      return QuotedText(text);
  }
}

}  // namespace

std::string ValorParaSQL(const vcl::Variant& value, std::optional<vcl::TFieldType> type) {
  const bool as_date = type == vcl::TFieldType::ftDate;
  return std::visit(
      [&](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, vcl::Null>) {
          return "NULL";
        } else if constexpr (std::is_same_v<T, int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, double>) {
          if (as_date) return DateLiteral(v);
          if (type == vcl::TFieldType::ftDateTime) return TimestampLiteral(v);
          return FloatLiteral(v);
        } else if constexpr (std::is_same_v<T, vcl::DateTimeValue>) {
          return as_date ? DateLiteral(v.value) : TimestampLiteral(v.value);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return TextLiteral(v, type);
        } else {
          return v ? "TRUE" : "FALSE";
        }
      },
      value);
}

// ---- Interval filters ----

namespace {

struct Interval {
  int64_t low;
  int64_t high;
};

[[noreturn]] void RefuseSelection(const std::string& why) {
  throw vcl::Exception("Seleção inválida: " + why);
}

bool IsSeparator(char c) { return c == ';' || c == ','; }

// A whole number of digits only; refuses anything else, and numbers beyond
// the 64-bit range.
int64_t ParseWholeNumber(const std::string& digits, const std::string& item) {
  if (digits.empty()) RefuseSelection("'" + item + "' não é um número nem um intervalo");
  for (char c : digits) {
    if (c < '0' || c > '9') RefuseSelection("'" + item + "' não é um número nem um intervalo");
  }
  int64_t value = 0;
  auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
    RefuseSelection("o número '" + digits + "' é grande demais");
  }
  return value;
}

Interval ParseItem(const std::string& item) {
  size_t dash = item.find('-');
  if (dash == std::string::npos) {
    int64_t value = ParseWholeNumber(item, item);
    return {value, value};
  }
  int64_t low = ParseWholeNumber(vcl::Trim(item.substr(0, dash)), item);
  int64_t high = ParseWholeNumber(vcl::Trim(item.substr(dash + 1)), item);
  if (low > high) RefuseSelection("o intervalo '" + item + "' começa depois de terminar");
  return {low, high};
}

std::vector<Interval> ParseSelection(const std::string& text) {
  std::string body = vcl::Trim(text);
  std::vector<Interval> intervals;
  if (body.empty()) return intervals;
  // One separator at the end is tolerated ("1;2;").
  if (IsSeparator(body.back())) {
    body = vcl::Trim(body.substr(0, body.size() - 1));
    if (body.empty()) RefuseSelection("item vazio em '" + text + "'");
  }
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < body.size() && !IsSeparator(body[end])) ++end;
    std::string item = vcl::Trim(body.substr(start, end - start));
    if (item.empty()) RefuseSelection("item vazio em '" + text + "'");
    intervals.push_back(ParseItem(item));
    if (end == body.size()) break;
    start = end + 1;
  }
  return intervals;
}

// The engine takes at most 1500 values in one IN list.
constexpr size_t kMaxInList = 1500;

std::string BuildCondition(const std::string& column, const std::vector<Interval>& intervals) {
  std::vector<int64_t> singles;
  std::vector<std::string> terms;
  for (const Interval& interval : intervals) {
    if (interval.low == interval.high) singles.push_back(interval.low);
  }
  for (size_t at = 0; at < singles.size(); at += kMaxInList) {
    size_t count = std::min(kMaxInList, singles.size() - at);
    if (count == 1) {
      terms.push_back(column + " = " + std::to_string(singles[at]));
      continue;
    }
    std::string list;
    for (size_t k = at; k < at + count; ++k) {
      if (!list.empty()) list += ", ";
      list += std::to_string(singles[k]);
    }
    terms.push_back(column + " IN (" + list + ")");
  }
  for (const Interval& interval : intervals) {
    if (interval.low == interval.high) continue;
    terms.push_back(column + " BETWEEN " + std::to_string(interval.low) + " AND " +
                    std::to_string(interval.high));
  }
  std::string condition = "(";
  for (size_t k = 0; k < terms.size(); ++k) {
    if (k > 0) condition += " OR ";
    condition += terms[k];
  }
  return condition + ")";
}

}  // namespace

std::string FilterInterval(const std::string& column, const std::string& text,
                           TnpqTypeInclusionExV kind, bool with_and, int n) {
  std::vector<Interval> intervals = ParseSelection(text);
  if (intervals.empty()) return "";
  std::string condition = BuildCondition(column, intervals);
  if (kind == TnpqTypeInclusionExV::tieExcluir) condition = "NOT " + condition;
  return with_and ? " AND " + condition : condition;
}

std::string FilterInterval(const std::string& column, const std::string& text,
                           TnpqTypeInclusionExV kind, bool with_and, int n, int) {
  return FilterInterval(column, text, kind, with_and, n);
}

void AcrescentarFiltroIntervalo(std::string& sql, const std::string& column,
                                const std::string& text) {
  if (vcl::Trim(text).empty()) return;
  sql += FilterInterval(column, text, TnpqTypeInclusionExV::tieIncluir, true, 0);
}

}  // namespace dataworks

// The in-memory client dataset that every query result becomes.
//
// A dataset holds typed columns (fields) and rows. A cursor walks the rows in
// the order of the current index (the query's order when there is none), and
// a range narrows the visible rows to those whose leading index fields lie
// between two keys. Field objects always read the cursor's current row.
//
// Costs: setting an index sorts once, O(n log n), with a stable sort (rows
// equal in every index field keep their query order); SetRange and FindKey
// are binary searches on the index; Locate on whole-number fields the rows
// are already ascending on (a query's ORDER BY) checks that order once and
// then searches it by halves; on any other list of fields it builds a hash
// table for that list once and answers in O(1) after that. None of them scans
// the whole dataset per call.
//
// Texts compare without regard to case or accents first (locale collation),
// then exactly; nulls sort before every value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/vcl/currency.h"
#include "host/vcl/datetime.h"
#include "host/vcl/variant.h"

namespace vcl {

enum class TFieldType {
  ftSmallint,
  ftInteger,
  ftLargeint,
  ftFloat,
  ftCurrency,  // fixed point, four decimals (NUMERIC/DECIMAL columns)
  ftDate,
  ftTime,
  ftDateTime,
  ftString,
  ftBoolean,
  ftMemo,      // text blob
  ftBlob,      // binary blob
};

class TClientDataSet;

// One column of a dataset, reading the dataset's current row. A null reads as
// 0, false or the empty text. Reading a text column as a number converts the
// text strictly (EConvertError when it is not a number).
class TField {
 public:
  const std::string& FieldName() const { return name_; }
  TFieldType DataType() const { return type_; }
  int Index() const { return index_; }

  bool IsNull() const;
  int AsInteger() const;
  int64_t AsLargeInt() const;
  double AsFloat() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  // Dates in the short date format, date-times with their time, numbers in the
  // general number form, booleans as "True"/"False", blobs as their bytes.
  std::string AsString() const;
  bool AsBoolean() const;
  Variant AsVariant() const;

 private:
  friend class TClientDataSet;
  TField(TClientDataSet* owner, int index, std::string name, TFieldType type)
      : owner_(owner), index_(index), name_(std::move(name)), type_(type) {}

  TClientDataSet* owner_;
  int index_;
  std::string name_;
  TFieldType type_;
};

class TClientDataSet {
 public:
  TClientDataSet();
  virtual ~TClientDataSet();
  TClientDataSet(const TClientDataSet&) = delete;
  TClientDataSet& operator=(const TClientDataSet&) = delete;

  // ---- Building (used by the data layer while it fetches) ----
  // Adds a column; all columns are added before the first row.
  TField& AddField(const std::string& name, TFieldType type);
  void Reserve(size_t rows);
  // Appends a row whose every value is null; the Set* calls below fill the
  // last appended row. After building, call First() (or any cursor call).
  void AppendRow();
  void SetNull(int column);
  void SetInteger(int column, int64_t value);
  void SetFloat(int column, double value);
  void SetCurrency(int column, Currency value);
  void SetDateTime(int column, TDateTime value);
  void SetString(int column, std::string value);
  void SetBoolean(int column, bool value);
  void SetBytes(int column, std::string bytes);

  // ---- Fields ----
  int FieldCount() const;
  TField& Fields(int index);
  // Matched without regard to case; raises EDatabaseError
  // "Campo '<name>' não encontrado" for an unknown name.
  TField& FieldByName(std::string_view name);
  TField* FindField(std::string_view name);

  // ---- Cursor (over the visible rows: the range, in index order) ----
  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const;
  bool Bof() const;
  int RecNo() const;        // 1-based position among the visible rows, 0 when none
  int RecordCount() const;  // number of visible rows
  bool IsEmpty() const;

  // ---- Index ----
  // A ";"-separated list of field names; blanks around names and a trailing
  // ";" are allowed; the empty text removes the index (query order). An
  // unknown field raises EDatabaseError. Cancels any range; the cursor goes
  // to the first row.
  void SetIndexFieldNames(const std::string& names);
  const std::string& IndexFieldNames() const;

  // ---- Ranges and searches on the index ----
  // Shows only the rows whose leading index fields (as many as keys given) lie
  // between start and end, inclusive; the cursor goes to the first of them.
  // Raises EDatabaseError when there is no index or more keys than fields.
  void SetRange(const VariantArray& start, const VariantArray& end);
  void CancelRange();
  // Moves to the first visible row whose leading index fields equal the keys;
  // returns false and leaves the cursor where it was when there is none.
  bool FindKey(const VariantArray& keys);
  // Moves to the first visible row (in the current order) whose fields, a
  // ";"-separated list, equal the values; false and cursor unchanged if none.
  bool Locate(const std::string& fields, const VariantArray& values);

  // The row number in query order (0-based) of the cursor, or
  // static_cast<size_t>(-1) when no row is visible; for tests and the host's
  // own rendering.
  size_t CurrentRowIndex() const;

 private:
  friend class TField;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vcl

// What reports call to read the database: ExecutarSQL and DestruirSQL, the
// single-value look-up of the shared data module, SQL literals and the
// interval filter built from a selection text.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/variant.h"

namespace dataworks {

// Runs `sql` over `connection` (the default connection when null) in a
// read-only transaction and returns every row in a new dataset. `values` as
// in TnConnection::Query (empty for Null). The other arguments are the fixed
// ones callers pass (True, False, -1, "", no connection, True).
std::unique_ptr<TnClientDataSet> ExecutarSQL(const std::string& sql,
                                             const vcl::VariantArray& values,
                                             bool = true, bool = false, int = -1,
                                             const std::string& = "",
                                             TnConnection* connection = nullptr,
                                             bool = true);

// Frees the dataset with its maps and clears the variable; null is fine.
void DestruirSQL(std::unique_ptr<TnClientDataSet>& data_set);

// Releases a dataset with DestruirSQL when the scope ends, whether the report
// finished or an exception is on its way out.
class LiberarAoSair {
 public:
  explicit LiberarAoSair(std::unique_ptr<TnClientDataSet>& data_set) : data_set_(data_set) {}
  ~LiberarAoSair() { DestruirSQL(data_set_); }
  LiberarAoSair(const LiberarAoSair&) = delete;
  LiberarAoSair& operator=(const LiberarAoSair&) = delete;

 private:
  std::unique_ptr<TnClientDataSet>& data_set_;
};

// The shared data module.
class TnDMSQLDataSet {
 public:
  // That column of the first row of `table` meeting `condition`, or Null.
  vcl::Variant PegarValorCampo(const std::string& table, const std::string& column,
                               const std::string& condition);
};
TnDMSQLDataSet& nDMSQLDataSet();

// An SQL literal. Integers as decimal text; texts quoted with inner quotes
// doubled; with ftFloat, a text in the host's number format becomes a literal
// with a point; with ftDate, a text in the short date format becomes a date
// literal 'yyyy-mm-dd'. A text that does not convert raises vcl::EConvertError.
std::string ValorParaSQL(const vcl::Variant& value,
                         std::optional<vcl::TFieldType> type = std::nullopt);

// Kinds of inclusion of an interval filter; callers pass the one of ordinal 1.
enum class TnpqTypeInclusionExV { tieExcluir = 0, tieIncluir = 1 };

// An SQL condition limiting `column` to the numbers and inclusive ranges of a
// selection text ("1-5; 8 ;10": items separated by ';' or ',', blanks allowed
// around items and around '-'). Built only from the parsed numbers and the
// column name. With `with_and` true the result is empty (empty text) or
// begins with " AND "; with false it is the bare condition. A malformed text
// raises vcl::Exception "Seleção inválida: ...".
std::string FilterInterval(const std::string& column, const std::string& text,
                           TnpqTypeInclusionExV kind, bool with_and, int n);
std::string FilterInterval(const std::string& column, const std::string& text,
                           TnpqTypeInclusionExV kind, bool with_and, int n, int m);

// Appends to `sql` the inclusion filter of `column` for the selection text
// `text` (with its own leading AND) when `text` is not blank after trimming;
// the untrimmed text is what gets parsed.
void AcrescentarFiltroIntervalo(std::string& sql, const std::string& column,
                                const std::string& text);

}  // namespace dataworks

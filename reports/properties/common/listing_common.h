// What the property, insurance and owner listings share: the office name
// look-up for the report heading, the interval filter pieces appended to a
// query text, and the clean-up that releases a listing's dataset on every
// path out of the printing routine.
#pragma once

#include <memory>
#include <string>

#include "host/dataworks/client_dataset.h"

namespace properties {

// NOME of the office's own entry in PessoaFinanceiro, the code being the text
// of pCodigoEscrit turned into an integer literal. A null or missing name
// gives the empty text; a code that is not an integer raises the data layer's
// conversion error.
std::string NomeEmpresa(const std::string& codigo_escrit);

// Appends to `sql` the interval filter of `column` for the selection text
// `text` (including kind, with its own leading AND), when `text` is not blank
// after trimming. A malformed selection raises "Seleção inválida: ...".
void AcrescentarFiltroIntervalo(std::string& sql, const std::string& column,
                                const std::string& text);

// Releases the dataset with DestruirSQL when the scope ends, whether the
// listing finished or an exception is on its way out.
class LiberarAoSair {
 public:
  explicit LiberarAoSair(std::unique_ptr<dataworks::TnClientDataSet>& data_set)
      : data_set_(data_set) {}
  ~LiberarAoSair();
  LiberarAoSair(const LiberarAoSair&) = delete;
  LiberarAoSair& operator=(const LiberarAoSair&) = delete;

 private:
  std::unique_ptr<dataworks::TnClientDataSet>& data_set_;
};

}  // namespace properties

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

}  // namespace properties

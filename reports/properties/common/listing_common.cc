#include "reports/properties/common/listing_common.h"

#include "host/dataworks/sql.h"
#include "host/vcl/variant.h"

namespace properties {

std::string NomeEmpresa(const std::string& codigo_escrit) {
  const std::string literal =
      dataworks::ValorParaSQL(vcl::Variant(codigo_escrit), vcl::TFieldType::ftInteger);
  return vcl::VarToStr(dataworks::nDMSQLDataSet().PegarValorCampo(
      "PessoaFinanceiro", "NOME", "CODIGOPESSOAFIN = " + literal));
}

}  // namespace properties

#include "reports/properties/common/listing_common.h"

#include "host/dataworks/sql.h"
#include "host/vcl/strings.h"
#include "host/vcl/variant.h"

namespace properties {

std::string NomeEmpresa(const std::string& codigo_escrit) {
  const std::string literal =
      dataworks::ValorParaSQL(vcl::Variant(codigo_escrit), vcl::TFieldType::ftInteger);
  return vcl::VarToStr(dataworks::nDMSQLDataSet().PegarValorCampo(
      "PessoaFinanceiro", "NOME", "CODIGOPESSOAFIN = " + literal));
}

void AcrescentarFiltroIntervalo(std::string& sql, const std::string& column,
                                const std::string& text) {
  if (vcl::Trim(text).empty()) return;
  sql += dataworks::FilterInterval(column, text, dataworks::TnpqTypeInclusionExV::tieIncluir,
                                   true, 0);
}

LiberarAoSair::~LiberarAoSair() { dataworks::DestruirSQL(data_set_); }

}  // namespace properties

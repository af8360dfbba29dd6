#include "reports/properties/property_insurance/property_insurance_report.h"

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/variant.h"
#include "reports/properties/common/listing_common.h"

NRW_REGISTER_REPORT(TPropertyInsuranceReport);

namespace {

// Policies of the office whose cover ends in the window; ends with one blank.
const char* const kSqlSeguros =
    "SELECT ID.CODIGOIMOVEL, ID.CODIGOSEGURADORA, ID.NUMEROAPOLISE, "
    "ID.DTVIGINICIOSEGURO , ID.COBERTURA, ID.DTVIGFINALSEGURO, P.NOME , "
    "COALESCE(E.ENDERECO1, '')||', '|| COALESCE(I.NRENDERECO, '')||' '|| "
    "COALESCE(E.COMPLEMENTO, '')||' '||COALESCE(I.COMPLEMENTO,'')||' - '|| "
    "COALESCE(E.ENDERECO2, '') ENDERECO FROM IMOVEL I JOIN IMOVELDOC ID ON "
    "(I.CODIGOESCRIT = ID.CODIGOESCRIT AND I.CODIGOIMOVEL = ID.CODIGOIMOVEL) LEFT "
    "JOIN VENDERECO E ON (I.CODIGOENDERECO = E.CODIGOENDERECO) join "
    "PessoaFinanceiro P ON (P.CODIGOPESSOAFIN = ID.CODIGOSEGURADORA) WHERE "
    "I.CODIGOESCRIT = :pCodigoEscrit AND ID.DTVIGFINALSEGURO BETWEEN :pDataInicial "
    "AND :pDataFinal ";

}  // namespace

std::string TPropertyInsuranceReport::Versao() { return "[versao: 1.0.0.0]"; }

void TPropertyInsuranceReport::caregarDados() {
  const int64_t codigo_escrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  const vcl::TDateTime data_inicial = vcl::StrToDate(RepParam("pDataInicial"));
  const vcl::TDateTime data_final = vcl::StrToDate(RepParam("pDataFinal"));

  std::string sql = kSqlSeguros;
  dataworks::AcrescentarFiltroIntervalo(sql, "I.CODIGOIMOVEL",
                                         Report()->GetParams().GetValues("pCodigoImovel"));
  FCDS = dataworks::ExecutarSQL(
      sql, {codigo_escrit, vcl::DateTimeValue{data_inicial}, vcl::DateTimeValue{data_final}}, true,
      false, -1, "", nullptr, true);
}

void TPropertyInsuranceReport::imprimirNomeEmpresa() {
  Report()->GetParams().SetValues("pNomeEmpresa",
                                  properties::NomeEmpresa(RepParam("pCodigoEscrit")));
}

void TPropertyInsuranceReport::ordenar() {
  switch (vcl::StrToIntDef(RepParam("pOrdenar"), 0)) {
    case 0: FCDS->SetIndexFieldNames("CODIGOSEGURADORA"); break;
    case 1: FCDS->SetIndexFieldNames("NOME;CODIGOSEGURADORA"); break;
    case 2: FCDS->SetIndexFieldNames("CODIGOIMOVEL"); break;
    case 3: FCDS->SetIndexFieldNames("ENDERECO;CODIGOIMOVEL"); break;
    default: break;
  }
}

void TPropertyInsuranceReport::imprimirD0() {
  auto& params = Report()->GetParams();
  auto texto = [&](const char* column) { return FCDS->FieldByName(column).AsString(); };
  params.SetValues("pImovel",
                   vcl::FormatFloat("00000", FCDS->FieldByName("CODIGOIMOVEL").AsFloat()) +
                       " - " + texto("ENDERECO"));
  params.SetValues("pSeguradora",
                   vcl::FormatFloat("00000", FCDS->FieldByName("CODIGOSEGURADORA").AsFloat()) +
                       " - " + texto("NOME"));
  params.SetValues("pNrApolice", texto("NUMEROAPOLISE"));
  params.SetValues("pDtInicioSeguro", texto("DTVIGINICIOSEGURO"));
  params.SetValues("pDtFinalSeguro", texto("DTVIGFINALSEGURO"));
  params.SetValues("pCobertura", texto("COBERTURA"));
  Report()->RepPrintSection(8);
}

void TPropertyInsuranceReport::ImprimirInterno() {
  caregarDados();
  dataworks::LiberarAoSair liberar(FCDS);
  if (FCDS->IsEmpty()) return;

  imprimirNomeEmpresa();
  const int total = FCDS->RecordCount();
  ordenar();
  int n = 0;
  for (FCDS->First(); !FCDS->Eof(); FCDS->Next()) {
    imprimirD0();
    Report()->CSLShowProgress(++n, total);
  }
}

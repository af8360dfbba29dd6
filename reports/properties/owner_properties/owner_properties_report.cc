#include "reports/properties/owner_properties/owner_properties_report.h"

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "reports/properties/common/listing_common.h"

NRW_REGISTER_REPORT(TOwnerPropertiesReport);

namespace {

// Responsible owner links of the office's properties; ends with one blank.
const char* const kSqlProprietarios =
    "SELECT PRO.CODIGOPESSOAFIN, PRO.NOME, IP.RESPONSAVEL, IP.TIPOVINCULO, "
    "I.NEGOCIACAO , TPI.TIPOIMOVEL, IV.VLRLOCACAO, IV.VLRVENDA, IP.CODIGOIMOVEL, "
    "TPI.TIPOIMOVEL ,COALESCE(E.ENDERECO1, '')||', '|| COALESCE(I.NRENDERECO, "
    "'')||' '|| COALESCE(E.COMPLEMENTO, '')||' '||COALESCE(I.COMPLEMENTO,'')||' - "
    "'|| COALESCE(E.ENDERECO2, '') ENDERECO from PessoaFinanceiro PRO JOIN "
    "IMOVELPESSOA IP ON PRO.CODIGOPESSOAFIN = IP.CODIGOPESSOAFIN JOIN IMOVEL I ON "
    "IP.CODIGOESCRIT = I.CODIGOESCRIT and IP.CODIGOIMOVEL = I.CODIGOIMOVEL JOIN "
    "TPIMOVEL TPI ON I.CODIGOTPIMOVEL = TPI.CODIGOTPIMOVEL LEFT JOIN IMOVELVALORES "
    "IV ON I.CODIGOESCRIT = IV.CODIGOESCRIT and I.CODIGOIMOVEL = IV.CODIGOIMOVEL "
    "LEFT JOIN VENDERECO E ON I.CODIGOENDERECO = E.CODIGOENDERECO WHERE "
    "I.CODIGOESCRIT = :pCodigoEscrit AND (((IP.RESPONSAVEL = '1') AND "
    "(IP.TIPOVINCULO = '1'))) ";

}  // namespace

std::string TOwnerPropertiesReport::Versao() { return "[versao: 1.0.0.0]"; }

void TOwnerPropertiesReport::caregarDados() {
  std::string sql = kSqlProprietarios;
  dataworks::AcrescentarFiltroIntervalo(sql, "PRO.CODIGOPESSOAFIN", RepParam("pCodigoProprietario"));
  dataworks::AcrescentarFiltroIntervalo(sql, "TPI.TIPOIMOVEL", RepParam("pCodigoCategorias"));
  const int64_t codigo_escrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCDS = dataworks::ExecutarSQL(sql, {codigo_escrit}, true, false, -1, "", nullptr, true);
}

void TOwnerPropertiesReport::ordenar() {
  switch (vcl::StrToIntDef(RepParam("pOrdenar"), 0)) {
    case 0: FCDS->SetIndexFieldNames("CODIGOPESSOAFIN;CODIGOIMOVEL"); break;
    case 1: FCDS->SetIndexFieldNames("NOME;CODIGOPESSOAFIN;CODIGOIMOVEL"); break;
    case 2: FCDS->SetIndexFieldNames("CODIGOIMOVEL"); break;
    case 3: FCDS->SetIndexFieldNames("ENDERECO;CODIGOIMOVEL"); break;
    default: break;
  }
}

void TOwnerPropertiesReport::imprimirNomeEmpresa() {
  Report()->GetParams().SetValues("pNomeEmpresa",
                                  properties::NomeEmpresa(RepParam("pCodigoEscrit")));
}

std::string TOwnerPropertiesReport::DescricaoTipoImovel(int tipo) {
  switch (tipo) {
    case 0: return "Casa e Sobrado";
    case 1: return "Apartamento";
    case 2: return "Comercial/Industrial";
    case 3: return "Terreno";
    case 4: return "Rural";
    default: return "";
  }
}

void TOwnerPropertiesReport::ImprimirLinha(const char* negocio, const char* coluna_valor) {
  auto& params = Report()->GetParams();
  params.SetValues("pNegocio", negocio);
  params.SetValues("pValor", vcl::FormatFloat("#,##0.00", FCDS->FieldByName(coluna_valor).AsFloat()));
  Report()->RepPrintSection(8);
  params.SetValues("pProprietario", "");
}

void TOwnerPropertiesReport::ImprimirImovel(bool novo_proprietario) {
  auto& params = Report()->GetParams();
  if (novo_proprietario) {
    if (FCDS->RecNo() != 1) Report()->RepPrintSection(9);
    params.SetValues("pProprietario",
                     vcl::FormatFloat("00000", FCDS->FieldByName("CODIGOPESSOAFIN").AsFloat()) +
                         " - " + FCDS->FieldByName("NOME").AsString());
  }
  params.SetValues("pTipoImovel", DescricaoTipoImovel(FCDS->FieldByName("TIPOIMOVEL").AsInteger()));
  params.SetValues("pImovel", vcl::PadRight(FCDS->FieldByName("CODIGOIMOVEL").AsString() + " - " +
                                                FCDS->FieldByName("ENDERECO").AsString(),
                                            50));
  switch (FCDS->FieldByName("NEGOCIACAO").AsInteger()) {
    case 0:
      ImprimirLinha("Venda", "VLRVENDA");
      break;
    case 1:
      ImprimirLinha("Locação", "VLRLOCACAO");
      break;
    case 2:
      // The rent line under the sale line shows only the negotiation and value.
      ImprimirLinha("Venda", "VLRVENDA");
      params.SetValues("pTipoImovel", "");
      params.SetValues("pImovel", "");
      ImprimirLinha("Locação", "VLRLOCACAO");
      break;
    default:
      break;  // nothing printed; the owner's name waits for the next line
  }
}

void TOwnerPropertiesReport::ImprimirInterno() {
  caregarDados();
  dataworks::LiberarAoSair liberar(FCDS);
  if (FCDS->IsEmpty()) return;

  ordenar();
  imprimirNomeEmpresa();
  const int total = FCDS->RecordCount();
  int proprietario_anterior = 0;
  int n = 0;
  vcl::TField& codigo_pessoa = FCDS->FieldByName("CODIGOPESSOAFIN");
  for (FCDS->First(); !FCDS->Eof(); FCDS->Next()) {
    const int proprietario = codigo_pessoa.AsInteger();
    ImprimirImovel(proprietario != proprietario_anterior);
    proprietario_anterior = proprietario;
    Report()->CSLShowProgress(++n, total);
  }
}

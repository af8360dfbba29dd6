#include "reports/properties/person_list/person_list_report.h"

#include <iterator>

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "reports/properties/common/listing_common.h"

NRW_REGISTER_REPORT(TPersonListReport);

namespace {

// One row per person and group, with the person's contact of lowest kind
// among kinds 0 to 5; ends with "WHERE 1=1 " so filters append directly.
const char* const kSqlPessoas =
    "SELECT P.CODIGOPESSOAFIN, P.INSCFEDERAL, P.NOME, P.BAIXADO, PC.TIPOCONTATO, "
    "PC.VALOR, PG.TIPOGRUPOPESSOA from PessoaFinanceiro P LEFT JOIN PESSOAGRUPO PG "
    "ON (PG.CODIGOPESSOAFIN = P.CODIGOPESSOAFIN) LEFT JOIN PESSOACONTATO PC ON "
    "(P.CODIGOPESSOAFIN = PC.CODIGOPESSOAFIN AND PC.CODIGOPESSOACONTATO = (SELECT "
    "FIRST 1 T1.CODIGOPESSOACONTATO FROM PESSOACONTATO T1 WHERE T1.CODIGOPESSOAFIN "
    "= P.CODIGOPESSOAFIN AND T1.TIPOCONTATO BETWEEN 0 AND 5 ORDER BY "
    "T1.TIPOCONTATO ASC)) WHERE 1=1 ";

}  // namespace

std::string TPersonListReport::Versao() { return "[versao: 1.1.85.0]"; }

std::string TPersonListReport::DescricaoTipo(int tipo) {
  static const char* const kGrupos[] = {
      "Angariador(a)", "Proprietário(a)", "Inquilino(a)", "Interessado(a)",
      "Agenda",        "Sindico(a)",      "Construtora",  "Indicador",
      "Parceiro(a)",   "Cartorio",        "Fiador(a)",    "Seguradora"};
  if (tipo < 0 || tipo >= static_cast<int>(std::size(kGrupos))) return "";
  return kGrupos[tipo];
}

std::string TPersonListReport::DescricaoContato(int tipo, const std::string& valor) {
  static const char* const kContatos[] = {"Celular",         "Celular Comercial",
                                          "Telefone Residencial", "Telefone Comercial",
                                          "Telefone Recado", "Fax"};
  if (vcl::Trim(valor).empty()) return "";
  if (tipo < 0 || tipo >= static_cast<int>(std::size(kContatos))) return "";
  return kContatos[tipo];
}

void TPersonListReport::caregarDados() {
  auto& params = Report()->GetParams();
  std::string sql = kSqlPessoas;
  dataworks::AcrescentarFiltroIntervalo(sql, "P.BAIXADO", params.GetValues("pBaixado"));
  dataworks::AcrescentarFiltroIntervalo(sql, "PG.TIPOGRUPOPESSOA", params.GetValues("pTipoGrupo"));
  FCDS = dataworks::ExecutarSQL(sql, {}, true, false, -1, "", nullptr, true);
}

void TPersonListReport::ordenar() {
  switch (vcl::StrToInt(RepParam("pOrdenar"))) {
    case 0: FCDS->SetIndexFieldNames("TIPOGRUPOPESSOA;CODIGOPESSOAFIN"); break;
    case 1: FCDS->SetIndexFieldNames("TIPOGRUPOPESSOA;NOME;CODIGOPESSOAFIN"); break;
    default: break;
  }
}

void TPersonListReport::ImprimirGrupo(bool primeira) {
  if (!primeira) Report()->RepPrintSection(11);
  const int grupo = FCDS->FieldByName("TIPOGRUPOPESSOA").AsInteger();
  Report()->GetParams().SetValues("pGrupoPessoa", DescricaoTipo(grupo));
  // Group 0, and persons with no group, get no heading section.
  if (grupo != 0) Report()->RepPrintSection(9);
}

void TPersonListReport::ImprimirPessoa(bool primeira) {
  auto& params = Report()->GetParams();
  const int pessoa = FCDS->FieldByName("CODIGOPESSOAFIN").AsInteger();
  if (!primeira && pessoa == FOldPessoa) {
    // The same person again: the name stays, the document is not repeated.
    params.SetValues("pInscfederal", "");
    params.SetValues("pCodigoPessoaFin", "");
  } else {
    params.SetValues("pPessoa", vcl::FormatFloat("00000", pessoa) + " - " +
                                    FCDS->FieldByName("NOME").AsString());
    params.SetValues("pInscfederal", FCDS->FieldByName("INSCFEDERAL").AsString());
  }
  const std::string valor = FCDS->FieldByName("VALOR").AsString();
  params.SetValues("pTipoContato",
                   DescricaoContato(FCDS->FieldByName("TIPOCONTATO").AsInteger(), valor));
  params.SetValues("pValor", valor);
  Report()->RepPrintSection(10);
}

void TPersonListReport::ImprimirInterno() {
  caregarDados();
  dataworks::LiberarAoSair liberar(FCDS);
  if (FCDS->IsEmpty()) return;

  ordenar();
  const int total = FCDS->RecordCount();
  int grupo_anterior = 0;
  FOldPessoa = 0;
  Report()->RepPrintSection(8);

  vcl::TField& grupo = FCDS->FieldByName("TIPOGRUPOPESSOA");
  vcl::TField& pessoa = FCDS->FieldByName("CODIGOPESSOAFIN");
  int n = 0;
  for (FCDS->First(); !FCDS->Eof(); FCDS->Next()) {
    const bool primeira = n == 0;
    if (primeira || grupo.AsInteger() != grupo_anterior) ImprimirGrupo(primeira);
    ImprimirPessoa(primeira);
    grupo_anterior = grupo.AsInteger();
    FOldPessoa = pessoa.AsInteger();
    Report()->CSLShowProgress(++n, total);
  }
}

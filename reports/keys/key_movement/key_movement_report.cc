#include "reports/keys/key_movement/key_movement_report.h"

#include <cstdint>

#include "frame/nrw_base_dll_reg.h"
#include "frame/office_heading.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "reports/keys/common/property_description.h"

namespace {

constexpr int kSecaoMovimento = 8;
constexpr int kSecaoImovel = 10;

// The word printed for a movement type; empty for a code that is none of them.
std::string DescrTipo(int tipo) {
  switch (tipo) {
    case 1: return "Saída";
    case 2: return "Retorno";
    case 3: return "Baixa";
    default: return "";
  }
}

std::string Texto(const vcl::TField* field) {
  return field ? field->AsString() : std::string();
}

}  // namespace

TKeyMovementReport::~TKeyMovementReport() { LiberarDados(); }

std::string TKeyMovementReport::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TKeyMovementReport::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {8, 10, 9, 11};
}

void TKeyMovementReport::ImprimirInterno() {
  CarregarParametros();
  caregarDados();
  if (FCdsEmpresa->IsEmpty()) return;

  struct Liberar {
    TKeyMovementReport* report;
    ~Liberar() { report->LiberarDados(); }
  } liberar{this};
  imprimirNomeEmpresa();
  ImprimirMovimentos();
}

void TKeyMovementReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoImovel = vcl::Trim(RepParam("pCodigoImovel"));
  FTipoMovimento = vcl::Trim(RepParam("pTipoMov"));
  FDataInicial = vcl::StrToDate(vcl::Trim(RepParam("pDataInicial")));
  FDataFinal = vcl::StrToDate(vcl::Trim(RepParam("pDataFinal")));
}

// A failed query must not pass for an empty period: whatever was fetched is
// released and the error goes on to the host.
void TKeyMovementReport::caregarDados() {
  const vcl::Variant escritorio = static_cast<int64_t>(FCodigoEscrit);
  try {
    FCdsChaveMovimento = dataworks::ExecutarSQL(
        SQLChaveMovimento(), {escritorio, vcl::DateTimeValue{FDataInicial},
                              vcl::DateTimeValue{FDataFinal}});
    FCdsEmpresa = dataworks::ExecutarSQL(SQLEmpresa(), {escritorio});
  } catch (...) {
    LiberarDados();
    throw;
  }
}

std::string TKeyMovementReport::SQLChaveMovimento() const {
  std::string sql =
      "select   CHM.CODIGOESCRIT,   CHM.CODIGOIMOVEL,   CHM.CODIGOCHAVE,   "
      "CHM.SEQ,   CHM.TIPOMOVIMENTO,   CHM.DATAMOVIMENTO,   "
      "CHM.CODIGOUSUARIO,   CHM.CODIGOPESSOAFIN,   CHM.NOMEPESSOA,   "
      "CHM.OBSERVACAO,   PES.NOME,   USU.NOMEUSUARIOCOMPL,   "
      "VEN.CODIGOENDERECO,   VEN.CODIGOMUNICIPIO,   VEN.ENDERECO1,   "
      "VEN.ENDERECO2,   VEN.CEP,   VEN.COMPLEMENTO,   VEN.DSTIPOLOGRADORO,   "
      "VEN.NOMELOGRADORO,   VEN.CODIGOBAIRRO,   VEN.NOMEBAIRRO,   "
      "VEN.NOMEMUNICIPIO,   VEN.SIGLAESTADO,   IMO.NRENDERECO,   "
      "IMO.COMPLEMENTO COMPLEMENTOIMO,   TPI.DSTPIMOVEL from "
      "IMOVELCHAVEMOVIMENTO CHM left outer join IMOVEL    IMO on "
      "IMO.CODIGOESCRIT  = CHM.CODIGOESCRIT and IMO.CODIGOIMOVEL = "
      "CHM.CODIGOIMOVEL left outer join TPIMOVEL  TPI on TPI.CODIGOTPIMOVEL = "
      "IMO.CODIGOTPIMOVEL left outer join VENDERECO VEN on VEN.CODIGOENDERECO "
      "= IMO.CODIGOENDERECO left outer join PessoaFinanceiro    PES on "
      "PES.CODIGOPESSOAFIN   = CHM.CODIGOPESSOAFIN left outer join USUARIO   "
      "USU on USU.CODIGOUSUARIO  = CHM.CODIGOUSUARIO where CHM.CODIGOESCRIT = "
      ":pCODIGOESCRIT   and CHM.DATAMOVIMENTO between :pDataInicial and "
      ":pDataFinal ";
  const auto incluir = dataworks::TnpqTypeInclusionExV::tieIncluir;
  if (!vcl::Trim(FCodigoImovel).empty()) {
    // Movements of no property always pass the property selection.
    sql += " and ((";
    sql += dataworks::FilterInterval("CHM.CODIGOIMOVEL", FCodigoImovel, incluir, false, 3, -1);
    sql += ") or (CHM.CODIGOIMOVEL = 0))";
  }
  if (!vcl::Trim(FTipoMovimento).empty()) {
    sql += " and (";
    sql += dataworks::FilterInterval("CHM.TIPOMOVIMENTO", FTipoMovimento, incluir, false, 3, -1);
    sql += ")";
  }
  sql += "order by CHM.CODIGOIMOVEL, CHM.CODIGOCHAVE, CHM.SEQ ";
  return sql;
}

std::string TKeyMovementReport::SQLEmpresa() const {
  return "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from "
         "PessoaFinanceiro PES join ESCRITORIO  EMP on EMP.CODIGOESCRIT = "
         "PES.CODIGOPESSOAFIN  where PES.CODIGOPESSOAFIN = :pCodigoEscrit  order "
         "by PES.CODIGOPESSOAFIN";
}

void TKeyMovementReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TMapEmp>(FCdsEmpresa.get());
  FCdsEmpresa->First();
  auto& params = Report()->GetParams();
  frame::DefinirCabecalhoEscritorio(params, emp->CODIGOPESSOAFIN->AsInteger(), Texto(emp->NOME),
                                    Texto(emp->INSCFEDERAL));
}

void TKeyMovementReport::LimparParametros() {
  auto& params = Report()->GetParams();
  for (const char* name : {"R1", "R2", "R3", "R4", "R5", "R6", "R7"}) params.SetValues(name, "");
}

void TKeyMovementReport::PreencherImovel() {
  auto* chm = PegarMapa<TMapChm>(FCdsChaveMovimento.get());
  FImovel.CodigoImovel = chm->CODIGOIMOVEL->AsInteger();
  FImovel.CodigoChave = chm->CODIGOCHAVE->AsInteger();
  FImovel.DescrMovimentacao = Texto(chm->OBSERVACAO);
  FImovel.DescrImovel = keys::MontarDescrImovel(*chm);
  FImovel.DataMvto = chm->DATAMOVIMENTO->AsDateTime();
  FImovel.TipoMvto = chm->TIPOMOVIMENTO->AsInteger();
  FImovel.CodUsuario = chm->CODIGOUSUARIO->AsInteger();
  FImovel.CodPessoa = chm->CODIGOPESSOAFIN->AsInteger();
  FImovel.NomePessoa = Texto(chm->NOMEPESSOA);
  FImovel.Nome = Texto(chm->NOME);
  FImovel.NomeUsuario = Texto(chm->NOMEUSUARIOCOMPL);
}

// Every line sets all of R1 to R6, so a line of an unknown type or without
// any person shows empty R3 or R4 rather than the previous line's values.
void TKeyMovementReport::ImprimirMovimentos() {
  auto& params = Report()->GetParams();
  const int total = FCdsChaveMovimento->RecordCount();
  int n = 0;
  int ultimoImovel = -1;
  FCdsChaveMovimento->First();
  while (!FCdsChaveMovimento->Eof()) {
    ++n;
    PreencherImovel();

    if (ultimoImovel == -1) {
      ultimoImovel = FImovel.CodigoImovel;
      params.SetValues("R7", FImovel.DescrImovel);
      RepPrintSection(kSecaoImovel);
    } else if (ultimoImovel != FImovel.CodigoImovel) {
      ultimoImovel = FImovel.CodigoImovel;
      LimparParametros();
      params.SetValues("R7", FImovel.DescrImovel);
      RepPrintSection(kSecaoMovimento);
      RepPrintSection(kSecaoImovel);
    }

    std::string pessoa;
    if (!FImovel.NomePessoa.empty())
      pessoa = FImovel.NomePessoa;
    else if (FImovel.CodPessoa != 0)
      pessoa = FImovel.Nome;
    params.SetValues("R1", vcl::DateToStr(FImovel.DataMvto));
    params.SetValues("R2", vcl::FormatFloat("00000", FImovel.CodigoChave));
    params.SetValues("R3", DescrTipo(FImovel.TipoMvto));
    params.SetValues("R4", pessoa);
    params.SetValues("R5", FImovel.DescrMovimentacao);
    params.SetValues("R6", FImovel.NomeUsuario);
    RepPrintSection(kSecaoMovimento);

    Report()->CSLShowProgress(n, total);
    FCdsChaveMovimento->Next();
  }
}

void TKeyMovementReport::LiberarDados() {
  dataworks::DestruirSQL(FCdsChaveMovimento);
  dataworks::DestruirSQL(FCdsEmpresa);
}

NRW_REGISTER_REPORT(TKeyMovementReport);

#include "reports/inspection/inspection_report.h"

#include "frame/nrw_base_dll_reg.h"
#include "frame/office_heading.h"
#include "host/toolworks/toolworks.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "reports/inspection/description_text.h"

using dataworks::DestruirSQL;
using dataworks::ExecutarSQL;
using dataworks::ValorParaSQL;

namespace {

constexpr int kAdendo = 3;

// A date parameter; a text that is not a date (the empty text included)
// becomes day 0, 30 December 1899.
vcl::TDateTime DataOuZero(const std::string& text) {
  vcl::TDateTime value = 0;
  return vcl::TryStrToDate(text, value) ? value : 0;
}

std::string Codigo(const vcl::TField* field) {
  return vcl::FormatFloat("0000", field->AsInteger());
}

}  // namespace

std::string TInspectionReport::Versao() { return "[versao: 1.1.90.0]"; }

std::string TInspectionReport::TipoVistoriaTexto(int tipo) {
  switch (tipo) {
    case 0: return "Entrada";
    case 1: return "Saída";
    case 2: return "Imobiliária";
    case 3: return "Adendo";
    default: return "";
  }
}

void TInspectionReport::ImprimirInterno() {
  try {
    CarregarParametros();
    CarregarEmpresa();
    if (FCdsEmpresa->IsEmpty()) {
      Liberar();
      return;
    }
    imprimirNomeEmpresa();
    CarregarVistorias();
    FLista.clear();
    FStream.clear();

    int total = FCdsVistoria->RecordCount();
    FCdsVistoria->First();
    int i = 0;
    while (!FCdsVistoria->Eof()) {
      ++i;
      Report()->CSLShowProgress(i, total);
      ImprimirVistoria();
      ImprimirLocadorLocatario();
      if (FCdsVistoria->RecNo() < FCdsVistoria->RecordCount()) RepEndOfPage(true);
      FCdsVistoria->Next();
    }
  } catch (...) {
    Liberar();
    throw;
  }
  Liberar();
}

void TInspectionReport::Liberar() {
  DestruirSQL(FCdsEmpresa);
  DestruirSQL(FCdsVistoria);
  std::vector<std::string>().swap(FLista);
  std::string().swap(FStream);
}

void TInspectionReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FDataInicial = DataOuZero(RepParam("pDataInicial"));
  FDataFinal = DataOuZero(RepParam("pDataFinal"));
  FCodigoImovel = RepParam("pCodigoImovel");
  FCodigoVistoria = RepParam("pCodigoVistoria");
  // A malformed selection text is refused here, before anything is read or
  // printed (the office heading would otherwise be set first).
  dataworks::FilterInterval("VIS.CODIGOIMOVEL", FCodigoImovel,
                            dataworks::TnpqTypeInclusionExV::tieIncluir, true, 0);
  dataworks::FilterInterval("VIS.CODIGOVISTORIA", FCodigoVistoria,
                            dataworks::TnpqTypeInclusionExV::tieIncluir, true, 0);
}

std::string TInspectionReport::SQLEmpresa() const {
  return std::string(
             " select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL,   MUN.NOMEMUNIC "
             " from ESCRITORIO  EMP "
             " join PessoaFinanceiro PES on PES.CODIGOPESSOAFIN = EMP.CODIGOESCRIT "
             " left join PESSOAENDERECO PEE on PEE.CODIGOPESSOAFIN = PES.CODIGOPESSOAFIN"
             " and PEE.PADRAO = ") +
         "1" +
         " left join ENDERECO ENR on ENR.CODIGOENDERECO = PEE.CODIGOENDERECO " +
         " left join MUNICIPIO MUN on MUN.CODIGOMUNICIPIO = ENR.CODIGOMUNICIPIO " +
         " where EMP.CODIGOESCRIT = :pCodigoEscrit";
}

void TInspectionReport::CarregarEmpresa() {
  FCdsEmpresa = ExecutarSQL(SQLEmpresa(), {int64_t{FCodigoEscrit}}, true, false, -1, "",
                            nullptr, true);
}

std::string TInspectionReport::SQLVistoria() const {
  std::string sql =
      "select   VIS.CODIGOESCRIT,   VIS.CODIGOIMOVEL,   VIS.CODIGOVISTORIA, "
      "  VIS.CODIGOVISTORIAADENDO,   VIS.TIPOVISTORIA,   case when VIS.TIPOVISTORIA = " +
      ValorParaSQL(int64_t{kAdendo}) + " then " +
      "    (select " +
      "      first 1 IMV.CODIGOCONTRATO " +
      "    from IMOVELVISTORIA IMV " +
      "    where IMV.CODIGOESCRIT = VIS.CODIGOESCRIT " +
      "      and IMV.CODIGOIMOVEL = VIS.CODIGOIMOVEL " +
      "      and IMV.TIPOVISTORIA between " + ValorParaSQL(int64_t{0}) + " and " +
      ValorParaSQL(int64_t{2}) + ") " +
      "  else " +
      "    VIS.CODIGOCONTRATO " +
      "  end CODIGOCONTRATO,  ";
  sql +=
      "  VIS.DATASOLICITACAO, "
      "  VIS.DATAVISTORIA, "
      "  VIS.DESCRICAO, "
      "  VIS.CODIGOUSUARIO, "
      "  USU.NOMEUSUARIO, "
      "  LOC.NOME, ";
  sql +=
      "  coalesce(TPI.DSTPIMOVEL, '') || ' - ' || "
      "  coalesce(TPL.DSTIPOLOGRADORO, '') || ' ' || "
      "  coalesce(VED.NOMELOGRADORO, '') || ', ' || "
      "  coalesce(IMO.NRENDERECO, '') || ' ' || "
      "  coalesce(VED.COMPLEMENTO, '') || ' ' || "
      "  coalesce(IMO.COMPLEMENTO, '') || ' - ' || "
      "  coalesce(VED.NOMEBAIRRO, '') || ' ' || "
      "  coalesce(VED.NOMEMUNICIPIO, '') || ' - ' || "
      "  coalesce(VED.SIGLAESTADO, '') || ' - ' || "
      "  coalesce(EPR.NOMEEMPRE, '') as DSIMOVEL ";
  sql +=
      "from IMOVELVISTORIA VIS "
      "left join CONTRATO CTR on CTR.CODIGOESCRIT = VIS.CODIGOESCRIT and "
      "CTR.CODIGOCONTRATO = VIS.CODIGOCONTRATO "
      "left join PessoaFinanceiro LOC on LOC.CODIGOPESSOAFIN = CTR.CODIGOPESSOAFIN "
      "left join USUARIO USU on USU.CODIGOUSUARIO = VIS.CODIGOUSUARIO "
      "left join IMOVEL IMO on IMO.CODIGOESCRIT = VIS.CODIGOESCRIT and "
      "IMO.CODIGOIMOVEL = VIS.CODIGOIMOVEL "
      "left outer join EMPREENDIMENTO EPR on EPR.CODIGOESCRIT = VIS.CODIGOESCRIT and "
      "EPR.CODIGOEMPREEND = IMO.CODIGOEMPREEND "
      "left outer join ENDERECO ERD on ERD.CODIGOENDERECO = IMO.CODIGOENDERECO "
      "left outer join VENDERECO VED on VED.CODIGOENDERECO = ERD.CODIGOENDERECO "
      "left outer join TPIMOVEL TPI on TPI.CODIGOTPIMOVEL = IMO.CODIGOTPIMOVEL "
      "left outer join TIPOLOGRADORO TPL on TPL.CODIGOTIPOLOGRADORO = "
      "ERD.CODIGOTIPOLOGRADORO ";
  sql +=
      "where VIS.CODIGOESCRIT = :pCodigoEmperesa "
      "  and VIS.DATASOLICITACAO between :pDataInicial and :pDataFinal ";
  // With the flag true the condition brings its own leading " AND ".
  if (!vcl::Trim(FCodigoImovel).empty()) {
    sql += dataworks::FilterInterval("VIS.CODIGOIMOVEL", FCodigoImovel,
                                     dataworks::TnpqTypeInclusionExV::tieIncluir, true, 0);
  }
  if (!vcl::Trim(FCodigoVistoria).empty()) {
    sql += dataworks::FilterInterval("VIS.CODIGOVISTORIA", FCodigoVistoria,
                                     dataworks::TnpqTypeInclusionExV::tieIncluir, true, 0);
  }
  sql += "order by VIS.CODIGOESCRIT, VIS.CODIGOIMOVEL, VIS.CODIGOVISTORIA";
  return sql;
}

void TInspectionReport::CarregarVistorias() {
  FCdsVistoria = ExecutarSQL(SQLVistoria(),
                             {int64_t{FCodigoEscrit}, vcl::DateTimeValue{FDataInicial},
                              vcl::DateTimeValue{FDataFinal}},
                             true, false, -1, "", nullptr, true);
}

std::string TInspectionReport::SQLLocatarioAdendo() const {
  return "select   PES.NOME from IMOVELVISTORIA VIS left join CONTRATO CTR on "
         "CTR.CODIGOESCRIT = VIS.CODIGOESCRIT and CTR.CODIGOCONTRATO = VIS.CODIGOCONTRATO "
         "left join PessoaFinanceiro PES on PES.CODIGOPESSOAFIN = CTR.CODIGOPESSOAFIN "
         "where VIS.CODIGOESCRIT  = :pCodigoEmperesa   and VIS.CODIGOIMOVEL   = "
         ":pCodigoImovel   and VIS.CODIGOVISTORIA = :pCodigoVistoria";
}

std::string TInspectionReport::SQLResponsavelImovel() const {
  return "SELECT PS.NOME FROM IMOVELPESSOA IP INNER join PessoaFinanceiro PS ON "
         "PS.CODIGOPESSOAFIN = IP.CODIGOPESSOAFIN WHERE IP.CODIGOESCRIT = :pCodigoEscrit "
         "AND IP.CODIGOIMOVEL = :pCodigoImovel AND IP.RESPONSAVEL = 1";
}

void TInspectionReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TEmpMap>(FCdsEmpresa.get());
  auto& params = Report()->GetParams();
  frame::DefinirCabecalhoEscritorio(params, emp->CODIGOPESSOAFIN->AsInteger(),
                                    emp->NOME->AsString(), emp->INSCFEDERAL->AsString());
}

void TInspectionReport::ImprimirVistoria() {
  auto* vis = PegarMapa<TVisMap>(FCdsVistoria.get());
  auto& params = Report()->GetParams();
  int tipo = vis->TIPOVISTORIA->AsInteger();

  params.SetValues("pTipoDocumento", tipo == kAdendo ? "ADENDO DE VISTORIA" : "TERMO DE VISTORIA");
  params.SetValues("pImovel", Codigo(vis->CODIGOIMOVEL) + " " +
                                  toolworks::Capitalize(vis->DSIMOVEL->AsString()));
  params.SetValues("pContrato", Codigo(vis->CODIGOCONTRATO));
  params.SetValues("pTipoVistoria", TipoVistoriaTexto(tipo));
  params.SetValues("pVistoriador",
                   Codigo(vis->CODIGOUSUARIO) + " " + vis->NOMEUSUARIO->AsString());
  params.SetValues("pDataSolicitacao", vis->DATASOLICITACAO->AsString());
  params.SetValues("pDataVistoria", vis->DATAVISTORIA->AsString());

  // The stored rich text, decoded and reduced to plain lines.
  const vcl::TField& descricao = FCdsVistoria->FieldByName("DESCRICAO");
  if (!descricao.IsNull()) FStream = descricao.AsString();
  FLista = inspection::DividirLinhas(inspection::DecodificarTexto(FStream));
  FLista = inspection::DividirLinhas(toolworks::RTFToTXT(inspection::JuntarLinhas(FLista)));
  Report()->SetDelphiObjCaption("pDadosVistoria", inspection::JuntarLinhas(FLista));

  RepPrintSection(8);
  RepPrintSection(9);

  FLista.clear();
  FStream.clear();
}

std::string TInspectionReport::PrimeiroNome(const std::string& sql,
                                            const vcl::VariantArray& values) {
  auto cds = ExecutarSQL(sql, values, true, false, -1, "", nullptr, true);
  std::string nome = cds->IsEmpty() ? "" : cds->FieldByName("NOME").AsString();
  DestruirSQL(cds);
  return nome;
}

void TInspectionReport::ImprimirLocadorLocatario() {
  auto* emp = PegarMapa<TEmpMap>(FCdsEmpresa.get());
  auto* vis = PegarMapa<TVisMap>(FCdsVistoria.get());
  auto& params = Report()->GetParams();

  vcl::TDateTime data = vis->DATAVISTORIA->AsDateTime();
  params.SetValues("pLocalData", toolworks::Capitalize(emp->NOMEMUNIC->AsString()) + ", " +
                                     vcl::IntToStr(vcl::DayOf(data)) + " de " +
                                     vcl::FormatDateTime("mmmm", data) + " de " +
                                     vcl::IntToStr(vcl::YearOf(data)));
  params.SetValues("pLocador", emp->NOME->AsString());

  int64_t imovel = vis->CODIGOIMOVEL->AsLargeInt();
  if (vis->TIPOVISTORIA->AsInteger() == kAdendo) {
    params.SetValues("pLocatario",
                     PrimeiroNome(SQLLocatarioAdendo(),
                                  {int64_t{FCodigoEscrit}, imovel,
                                   vis->CODIGOVISTORIAADENDO->AsLargeInt()}));
  } else {
    params.SetValues("pLocatario", vis->NOME->AsString());
  }
  if (vcl::Trim(params.GetValues("pLocatario")).empty()) {
    params.SetValues("pLocatario",
                     PrimeiroNome(SQLResponsavelImovel(), {int64_t{FCodigoEscrit}, imovel}));
  }

  RepPrintSection(10);
}

NRW_REGISTER_REPORT(TInspectionReport);

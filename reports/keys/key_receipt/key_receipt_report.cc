#include "reports/keys/key_receipt/key_receipt_report.h"

#include <cstdint>

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/toolworks/toolworks.h"
#include "host/typeworks/typeworks.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "reports/keys/common/property_description.h"

namespace {

constexpr int kSecaoImovelTitulo = 8;
constexpr int kSecaoImovel = 9;
constexpr int kSecaoChave = 10;
constexpr int kSecaoFechamento = 11;

// Movement types that answer a hand-out.
constexpr int kRetorno = 2;
constexpr int kBaixa = 3;

std::string Texto(const vcl::TField* field) {
  return field ? field->AsString() : std::string();
}

}  // namespace

TKeyReceiptReport::~TKeyReceiptReport() { LiberarDados(); }

std::string TKeyReceiptReport::Versao() { return "[versao: 1.0.0.0]"; }

void TKeyReceiptReport::DoParamChange(vcl::TObject*, printworks::TnpqParamItem*) {}
void TKeyReceiptReport::DoParamEnter(vcl::TObject*, printworks::TnpqParamItem*) {}
void TKeyReceiptReport::DoParamExit(vcl::TObject*, printworks::TnpqParamItem*) {}

void TKeyReceiptReport::ImprimirInterno() {
  CarregarParametros();
  caregarDados();
  if (FCdsChaveMovimento->IsEmpty()) return;

  // The datasets go whether the printing ends normally or raises.
  struct Liberar {
    TKeyReceiptReport* report;
    ~Liberar() { report->LiberarDados(); }
  } liberar{this};
  imprimirNomeEmpresa();
  FCdsChaveMovimento->First();
  ImprimirProtocolos();
}

void TKeyReceiptReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoImovel = vcl::StrToIntDef(RepParam("pCodigoImovel"), 0);
  FDataSaida = vcl::StrToDate(vcl::Trim(RepParam("pDataMovimento")));
  FCodigoUsuario = vcl::StrToIntDef(RepParam("pCodigoUsuario"), -1);
  FCodigoPessoa = vcl::StrToIntDef(RepParam("pCodigoPessoaFin"), 0);
  FNomePessoa = vcl::Trim(RepParam("pNomePes"));
  FFiltro = vcl::Trim(RepParam("pFiltro"));
}

// A failed query must not pass for an empty day: whatever was fetched is
// released and the engine's error goes on to the host.
void TKeyReceiptReport::caregarDados() {
  const vcl::Variant escritorio = static_cast<int64_t>(FCodigoEscrit);
  try {
    FCdsChaveMovimento = dataworks::ExecutarSQL(
        SQLChaveMovimento(), {escritorio, vcl::DateTimeValue{FDataSaida}});
    FCdsMovimentoCompleto = dataworks::ExecutarSQL(SQLMovimentoCompleto(), {escritorio});
    FCdsEmpresa = dataworks::ExecutarSQL(SQLEmpresa(), {escritorio});
  } catch (...) {
    LiberarDados();
    throw;
  }
}

std::string TKeyReceiptReport::SQLChaveMovimento() const {
  std::string sql =
      "select   CHM.CODIGOESCRIT,   CHM.CODIGOIMOVEL,   CHM.CODIGOCHAVE,   "
      "CHM.SEQ,   CHM.TIPOMOVIMENTO,   CHM.DATAMOVIMENTO,   "
      "CHM.CODIGOUSUARIO,   CHM.CODIGOPESSOAFIN,   case when "
      "Trim(CHM.NOMEPESSOA) <> '' then CHM.NOMEPESSOA else PES.NOME end "
      "NOMEPESSOA,   PES.TIPOINSCFEDERAL,   PES.INSCFEDERAL,   "
      "CHM.OBSERVACAO,   USU.NOMEUSUARIOCOMPL,   VEN.CODIGOENDERECO,   "
      "VEN.CODIGOMUNICIPIO,   VEN.ENDERECO1,   VEN.ENDERECO2,   VEN.CEP,   "
      "VEN.COMPLEMENTO,   VEN.DSTIPOLOGRADORO,   VEN.NOMELOGRADORO,   "
      "VEN.CODIGOBAIRRO,   VEN.NOMEBAIRRO,   VEN.NOMEMUNICIPIO,   "
      "VEN.SIGLAESTADO,   IMO.NRENDERECO,   IMO.COMPLEMENTO COMPLEMENTOIMO,   "
      "TPI.DSTPIMOVEL,   CHA.REFERENCIA,   CHA.CODIGOLOCALCHAVE,   "
      "LCH.QUADRO,   LCH.COLUNA,   LCH.LINHA,   LCH.DESCRICAO from "
      "IMOVELCHAVEMOVIMENTO CHM left outer join IMOVEL    IMO on "
      "IMO.CODIGOESCRIT  = CHM.CODIGOESCRIT and IMO.CODIGOIMOVEL = "
      "CHM.CODIGOIMOVEL left outer join TPIMOVEL  TPI on TPI.CODIGOTPIMOVEL = "
      "IMO.CODIGOTPIMOVEL left outer join VENDERECO VEN on VEN.CODIGOENDERECO "
      "= IMO.CODIGOENDERECO left outer join PessoaFinanceiro    PES on "
      "PES.CODIGOPESSOAFIN   = CHM.CODIGOPESSOAFIN left outer join USUARIO   "
      "USU on USU.CODIGOUSUARIO  = CHM.CODIGOUSUARIO left outer join "
      "IMOVELCHAVE CHA on CHM.CODIGOESCRIT = CHA.CODIGOESCRIT and "
      "CHM.CODIGOIMOVEL = CHA.CODIGOIMOVEL and CHM.CODIGOCHAVE = "
      "CHA.CODIGOCHAVE left outer join LOCALCHAVE  LCH ON CHA.CODIGOLOCALCHAVE "
      "= LCH.CODIGOLOCALCHAVE ";
  sql += "where CHM.CODIGOESCRIT = :pCODIGOESCRIT ";
  sql += "  and CHM.DATAMOVIMENTO = :pDataMovimento ";
  if (!vcl::Trim(FFiltro).empty()) {
    // The free condition replaces every other filter.
    sql += "  and ";
    sql += FFiltro;
  } else {
    const int saida =
        typeworks::THelperEnumInt::TnTipoMovimento(typeworks::TnTipoMovimento::tmSaida);
    sql += "  and CHM.TIPOMOVIMENTO = " + vcl::IntToStr(saida) + " ";
    if (!vcl::Trim(FNomePessoa).empty()) {
      sql += " and (upper(CHM.NOMEPESSOA) like upper(";
      sql += dataworks::ValorParaSQL(vcl::UpperAscii("%" + FNomePessoa + "%"));
      sql += ")) ";
    }
    if (FCodigoImovel > 0) {
      sql += "   and CHM.CODIGOIMOVEL  = " +
             dataworks::ValorParaSQL(static_cast<int64_t>(FCodigoImovel));
    }
    if (FCodigoPessoa > 0) {
      sql += "   and CHM.CODIGOPESSOAFIN  = " +
             dataworks::ValorParaSQL(static_cast<int64_t>(FCodigoPessoa));
    }
    if (FCodigoUsuario >= 0) {
      sql += "   and CHM.CODIGOUSUARIO  = " +
             dataworks::ValorParaSQL(static_cast<int64_t>(FCodigoUsuario));
    }
  }
  sql += " order by 9, 1, 2, 3";
  return sql;
}

std::string TKeyReceiptReport::SQLMovimentoCompleto() const {
  return "select    ICM.CODIGOESCRIT,    ICM.CODIGOIMOVEL,    ICM.CODIGOCHAVE,    "
         "ICM.SEQ,    ICM.TIPOMOVIMENTO from IMOVELCHAVEMOVIMENTO ICM where "
         "ICM.CODIGOESCRIT = :pCODIGOESCRIT order by "
         "ICM.CODIGOESCRIT,ICM.CODIGOIMOVEL,ICM.CODIGOCHAVE,ICM.SEQ";
}

std::string TKeyReceiptReport::SQLEmpresa() const {
  return "select   PES.CODIGOPESSOAFIN,   PES.NOME,   VEN.NOMEMUNICIPIO,   "
         "VEN.SIGLAESTADO,   PES.INSCFEDERAL,   CFG.DIASDEVOLUCAOCHAVE from "
         "PessoaFinanceiro PES join ESCRITORIO  EMP on EMP.CODIGOESCRIT = "
         "PES.CODIGOPESSOAFIN left outer join PESSOAENDERECO PEN on "
         "PEN.CODIGOPESSOAFIN = PES.CODIGOPESSOAFIN left outer join VENDERECO VEN "
         "on VEN.CODIGOENDERECO = PEN.CODIGOENDERECO left outer join "
         "EMPRESACONFIGURACAO CFG on CFG.CODIGOESCRIT = PES.CODIGOPESSOAFIN  "
         "where PES.CODIGOPESSOAFIN = :pCodigoEscrit  order by PES.CODIGOPESSOAFIN";
}

// The heading of every receipt, from the office's first row. An office
// without its own row prints its code 0000 and empty texts; without a
// configured number of days the keys are due back the same day.
void TKeyReceiptReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TMapEmpresa>(FCdsEmpresa.get());
  FCdsEmpresa->First();
  const bool temLinha = !FCdsEmpresa->IsEmpty();
  auto texto = [&](const vcl::TField* field) {
    return temLinha ? Texto(field) : std::string();
  };
  auto inteiro = [&](const vcl::TField* field) {
    return temLinha && field ? field->AsInteger() : 0;
  };

  auto& params = Report()->GetParams();
  params.SetValues("pNomeEmpresa", vcl::FormatFloat("0000", inteiro(emp->CODIGOPESSOAFIN)) +
                                       " " + texto(emp->NOME));
  params.SetValues("pCidade", toolworks::Capitalize(texto(emp->NOMEMUNICIPIO)));
  params.SetValues("pUF", texto(emp->SIGLAESTADO));
  params.SetValues("pInscrFederal", "CNPJ: " + texto(emp->INSCFEDERAL));
  params.SetValues("pDataHoraDevolucao",
                   vcl::DateToStr(FDataSaida + inteiro(emp->DIASDEVOLUCAOCHAVE)));
}

bool TKeyReceiptReport::MovimentoRespondido() {
  auto* chm = PegarMapa<TMapChaveMovimento>(FCdsChaveMovimento.get());
  auto* completo = PegarMapa<TMapCompleto>(FCdsMovimentoCompleto.get());
  const vcl::VariantArray sucessor = {
      static_cast<int64_t>(chm->CODIGOESCRIT->AsInteger()),
      static_cast<int64_t>(chm->CODIGOIMOVEL->AsInteger()),
      static_cast<int64_t>(chm->CODIGOCHAVE->AsInteger()),
      static_cast<int64_t>(chm->SEQ->AsInteger()) + 1};
  if (!FCdsMovimentoCompleto->Locate("CODIGOESCRIT;CODIGOIMOVEL;CODIGOCHAVE;SEQ", sucessor))
    return false;
  const int tipo = completo->TIPOMOVIMENTO->AsInteger();
  return tipo == kRetorno || tipo == kBaixa;
}

void TKeyReceiptReport::PularRespondidos() {
  while (!FCdsChaveMovimento->Eof() && MovimentoRespondido()) FCdsChaveMovimento->Next();
}

// Sections 8, 9 and 10 of the current key, then the closing values of its
// receipt (section 11 shows those of the receipt's last key).
void TKeyReceiptReport::ImprimirChave() {
  auto* chm = PegarMapa<TMapChaveMovimento>(FCdsChaveMovimento.get());
  auto& params = Report()->GetParams();

  params.SetValues("pImovel", keys::MontarDescrImovel(*chm));
  RepPrintSection(kSecaoImovelTitulo);
  RepPrintSection(kSecaoImovel);

  params.SetValues("pChave", Texto(chm->CODIGOCHAVE) + " | " + Texto(chm->REFERENCIA) +
                                 " | Quadro: " + Texto(chm->COLUNA) + " x " +
                                 Texto(chm->LINHA));
  RepPrintSection(kSecaoChave);

  const std::string inscricao = Texto(chm->INSCFEDERAL);
  const vcl::TDateTime data = chm->DATAMOVIMENTO->AsDateTime();
  params.SetValues("pCodUsuario", Texto(chm->CODIGOUSUARIO));
  params.SetValues("pNomeUsuario", Texto(chm->NOMEUSUARIOCOMPL));
  params.SetValues("pNomePes", chm->NOMEPESSOA->IsNull() ? Texto(chm->NOMEUSUARIOCOMPL)
                                                         : Texto(chm->NOMEPESSOA));
  params.SetValues("pDocumento", vcl::Trim(inscricao).empty() ? "" : " - " + inscricao);
  params.SetValues("pDia", vcl::IntToStr(vcl::DayOf(data)));
  params.SetValues("pMes", toolworks::Capitalize(vcl::FormatDateTime("mmmm", data)));
  params.SetValues("pAno", vcl::IntToStr(vcl::YearOf(data)));
}

// One receipt per run of consecutive printed hand-outs with the same taker
// name and user. Answered hand-outs print nothing and do not split a receipt:
// each printed key is compared with the next printed one, and every receipt
// closes with section 11 and a page end after its last printed key.
void TKeyReceiptReport::ImprimirProtocolos() {
  auto* chm = PegarMapa<TMapChaveMovimento>(FCdsChaveMovimento.get());
  const int total = FCdsChaveMovimento->RecordCount();
  int n = 0;
  FCdsChaveMovimento->First();
  PularRespondidos();
  while (!FCdsChaveMovimento->Eof()) {
    const std::string tomador = chm->NOMEPESSOA->AsString();
    const int usuario = chm->CODIGOUSUARIO->AsInteger();
    ++n;
    ImprimirChave();
    Report()->CSLShowProgress(n, total);

    FCdsChaveMovimento->Next();
    PularRespondidos();
    const bool mesmoRecibo = !FCdsChaveMovimento->Eof() &&
                             chm->NOMEPESSOA->AsString() == tomador &&
                             chm->CODIGOUSUARIO->AsInteger() == usuario;
    if (!mesmoRecibo) {
      RepPrintSection(kSecaoFechamento);
      RepEndOfPage(true);
    }
  }
}

void TKeyReceiptReport::LiberarDados() {
  dataworks::DestruirSQL(FCdsChaveMovimento);
  dataworks::DestruirSQL(FCdsMovimentoCompleto);
  dataworks::DestruirSQL(FCdsEmpresa);
}

NRW_REGISTER_REPORT(TKeyReceiptReport);

#include "reports/properties/property_closure/property_closure_report.h"

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/toolworks/toolworks.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/variant.h"

NRW_REGISTER_REPORT(TPropertyClosureReport);

namespace {

std::string DescricaoMotivo(int tipo_motivo) {
  switch (tipo_motivo) {
    case 0: return "Mudança de Imobiliária";
    case 1: return "Renegociação";
    case 2: return "Outros";
    default: return "";
  }
}

}  // namespace

TPropertyClosureReport::~TPropertyClosureReport() {
  dataworks::DestruirSQL(FCurUsuario);
  dataworks::DestruirSQL(FCurImovel);
  dataworks::DestruirSQL(FCdsBaixaReativacao);
}

std::string TPropertyClosureReport::Versao() { return "[versao: 1.1.86.0]"; }

std::string TPropertyClosureReport::SQLBaixaReativacao() {
  return "SELECT CODIGOESCRIT , CODIGOIMOVEL , 'Baixa' AS TIPO , TIPOMOTIVO , DATABAIXA "
    "AS DATAMVTO , DATAHORAALTER , OBS , CODIGOUSUARIO FROM IMOVELBAIXA WHERE "
    "CODIGOESCRIT = :pCodigoEscrit AND CODIGOIMOVEL = :pCodigoImovel UNION ALL "
    "SELECT CODIGOESCRIT , CODIGOIMOVEL , 'Reativação' AS TIPO , TIPOMOTIVO , "
    "DATAREATIVACAO AS DATAMVTO , DATAHORAALTER , OBS , CODIGOUSUARIO FROM "
    "IMOVELREATIVACAO WHERE CODIGOESCRIT = :pCodigoEscrit AND CODIGOIMOVEL = "
    ":pCodigoImovel ORDER BY 5";
}

std::string TPropertyClosureReport::SQLImovel() {
  return "SElECT IM.CODIGOIMOVEL, COALESCE(TI.DSTPIMOVEL, '') AS DSIMOVEL, "
    "COALESCE(VE.DSTIPOLOGRADORO, '') || ' ' || COALESCE(VE.NOMELOGRADORO, '') || "
    "', ' || COALESCE(IM.NRENDERECO, '') || ' ' || COALESCE(VE.COMPLEMENTO, '') || "
    "' ' || COALESCE(IM.COMPLEMENTO, '') || ' - ' || COALESCE(VE.NOMEBAIRRO, '') "
    "|| ' ' || COALESCE(VE.NOMEMUNICIPIO, '') || ' - ' || COALESCE(VE.SIGLAESTADO, "
    "'') || ' - ' || COALESCE(EP.NOMEEMPRE, '') AS EDIMOVEL FROM IMOVEL IM LEFT "
    "JOIN TPIMOVEL TI ON TI.CODIGOTPIMOVEL = IM.CODIGOTPIMOVEL LEFT JOIN VENDERECO "
    "VE ON VE.CODIGOENDERECO = IM.CODIGOENDERECO LEFT JOIN EMPREENDIMENTO EP ON "
    "EP.CODIGOESCRIT = IM.CODIGOESCRIT AND EP.CODIGOEMPREEND = IM.CODIGOEMPREEND "
    "WHERE IM.CODIGOESCRIT =:pCodigoEscrit AND IM.CODIGOIMOVEL =:pCodigoImovel";
}

std::string TPropertyClosureReport::SQLUsuario(const std::string& pCodigoUsuario) {
  return "SELECT CODIGOUSUARIO, NOMEUSUARIO FROM USUARIO WHERE CODIGOUSUARIO IN (" +
         pCodigoUsuario + ")";
}

void TPropertyClosureReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoImovel = vcl::StrToIntDef(RepParam("pCodigoImovel"), 0);
}

void TPropertyClosureReport::SetDadosImovel() {
  FCurImovel = dataworks::ExecutarSQL(SQLImovel(), {int64_t{FCodigoEscrit}, int64_t{FCodigoImovel}},
                                      true, false, -1, "", nullptr, true);
  // A property row that is missing reads as code 0 and empty texts.
  const bool vazio = FCurImovel->IsEmpty();
  const int codigo = vazio ? 0 : FCurImovel->Fields(0).AsInteger();
  const std::string descricao = vazio ? "" : FCurImovel->Fields(1).AsString();
  const std::string endereco = vazio ? "" : FCurImovel->Fields(2).AsString();
  auto& params = Report()->GetParams();
  params.SetValues("pDescImovel", vcl::FormatFloat("0000", codigo) + " - " + descricao);
  params.SetValues("pEndereco", endereco);
}

void TPropertyClosureReport::CarregarUsuarios() {
  TBxaReat* mapa = PegarMapa<TBxaReat>(FCdsBaixaReativacao.get());
  std::string codigos;
  for (FCdsBaixaReativacao->First(); !FCdsBaixaReativacao->Eof(); FCdsBaixaReativacao->Next())
    toolworks::Add(codigos, vcl::IntToStr(mapa->CodigoUsuario->AsInteger()), ",", false);
  FCurUsuario = dataworks::ExecutarSQL(SQLUsuario(codigos), {}, true, false, -1, "", nullptr, true);
  FCurUsuario->SetIndexFieldNames("CODIGOUSUARIO");
}

void TPropertyClosureReport::SetDados() {
  TBxaReat* mapa = PegarMapa<TBxaReat>(FCdsBaixaReativacao.get());
  const std::string motivo = DescricaoMotivo(mapa->TipoMotivo->AsInteger());
  const bool achou = FCurUsuario->FindKey({int64_t{mapa->CodigoUsuario->AsInteger()}});

  auto& params = Report()->GetParams();
  params.SetValues("pData",
                   mapa->DataMvto->IsNull() ? "" : vcl::DateToStr(mapa->DataMvto->AsDateTime()));
  params.SetValues("pTipo", mapa->Tipo->AsString());
  params.SetValues("pMotivo", motivo);
  params.SetValues("pObservacao", mapa->Obs->AsString());
  // Never the previous line's user: a user not found prints no name.
  params.SetValues("pUsuario", achou ? FCurUsuario->Fields(1).AsString() : "");
}

void TPropertyClosureReport::ImprimirInterno() {
  CarregarParametros();
  FCdsBaixaReativacao =
      dataworks::ExecutarSQL(SQLBaixaReativacao(), {int64_t{FCodigoEscrit}, int64_t{FCodigoImovel}},
                             true, false, -1, "", nullptr, true);
  if (FCdsBaixaReativacao->IsEmpty()) return;

  SetDadosImovel();
  CarregarUsuarios();

  const int total = FCdsBaixaReativacao->RecordCount();
  int n = 0;
  for (FCdsBaixaReativacao->First(); !FCdsBaixaReativacao->Eof(); FCdsBaixaReativacao->Next()) {
    SetDados();
    Report()->RepPrintSection(8);
    Report()->CSLShowProgress(++n, total);
  }
  Report()->RepPrintSection(9);
}

#include "reports/properties/property_list/property_list_report.h"

#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/printworks/param.h"
#include "host/typeworks/typeworks.h"
#include "host/vcl/convert.h"
#include "host/vcl/strings.h"
#include "host/vcl/variant.h"
#include "reports/properties/common/listing_common.h"

NRW_REGISTER_REPORT(TPropertyListReport);

namespace {

// The listing query up to its WHERE conditions; it ends with one blank.
const char* const kSqlImoveis =
    "SELECT DISTINCT I.CODIGOIMOVEL, I.NEGOCIACAO, I.BAIXADO, I.DTCADASTRO, I.REF "
    ", TI.TIPOIMOVEL, PRO.CODIGOPESSOAFIN, PRO.NOME, IV.VLRVENDA, IV.VLRLOCACAO, "
    "(SELECT CASE WHEN (COUNT(IP.CODIGOPESSOAFIN)>1) THEN '(*)' WHEN "
    "(COUNT(IP.CODIGOPESSOAFIN)<=1) THEN '' END AS QTDPROP FROM IMOVELPESSOA IP "
    "WHERE IP.CODIGOIMOVEL = I.CODIGOIMOVEL) AS QUANTIDADEPROP, "
    "COALESCE(E.ENDERECO1, '')||', '|| COALESCE(I.NRENDERECO, '')||' '|| "
    "COALESCE(E.COMPLEMENTO, '')||' '||COALESCE(I.COMPLEMENTO,'')||' - '|| "
    "COALESCE(E.ENDERECO2, '') ENDERECO FROM IMOVEL I INNER JOIN TPIMOVEL TI ON "
    "I.CODIGOTPIMOVEL = TI.CODIGOTPIMOVEL LEFT JOIN VENDERECO E ON "
    "I.CODIGOENDERECO = E.CODIGOENDERECO JOIN IMOVELPESSOA IP ON I.CODIGOESCRIT = "
    "IP.CODIGOESCRIT AND I.CODIGOIMOVEL = IP.CODIGOIMOVEL LEFT join "
    "PessoaFinanceiro PRO ON IP.CODIGOPESSOAFIN = PRO.CODIGOPESSOAFIN LEFT JOIN "
    "IMOVELVALORES IV ON I.CODIGOESCRIT = IV.CODIGOESCRIT AND I.CODIGOIMOVEL = "
    "IV.CODIGOIMOVEL LEFT JOIN IMOVELBAIXA IB ON I.CODIGOESCRIT = IB.CODIGOESCRIT "
    "AND I.CODIGOIMOVEL = IB.CODIGOIMOVEL WHERE I.CODIGOESCRIT = :PCODIGOESCRIT "
    "AND(((IP.RESPONSAVEL = '1') AND (IP.TIPOVINCULO = '1')) OR ((IP.RESPONSAVEL "
    "IS NULL) AND (IP.TIPOVINCULO IS NULL))) ";

const char* const kFormatoValor = "##,###,##0.00";

// Money columns read as currency amounts; a null reads as zero.
double ValorMonetario(vcl::TField& field) { return field.AsCurrency().ToDouble(); }

std::string TituloQuantidade(int quantidade) {
  return vcl::IntToStr(quantidade) + (quantidade > 1 ? " Imóveis" : " Imóvel");
}

}  // namespace

std::string TPropertyListReport::Versao() { return "[versao: 1.1.85.0]"; }

void TPropertyListReport::caregarDados() {
  auto& params = Report()->GetParams();
  auto preenchido = [&](const char* name) { return !vcl::Trim(params.GetValues(name)).empty(); };
  auto literal = [&](const char* name, vcl::TFieldType type) {
    return dataworks::ValorParaSQL(vcl::Variant(RepParam(name)), type);
  };
  using vcl::TFieldType;

  std::string sql = kSqlImoveis;
  dataworks::AcrescentarFiltroIntervalo(sql, "I.CODIGOIMOVEL", params.GetValues("pCodigoImovel"));
  dataworks::AcrescentarFiltroIntervalo(sql, "I.CODIGOEMPREEND",
                                         params.GetValues("pCodigoEmpreend"));
  dataworks::AcrescentarFiltroIntervalo(sql, "TI.TIPOIMOVEL", params.GetValues("pTipoImoveis"));
  dataworks::AcrescentarFiltroIntervalo(sql, "I.NEGOCIACAO", params.GetValues("pNegociacao"));
  if (preenchido("pVlrvenda"))
    sql += " AND IV.VLRVENDA >= " + literal("pVlrvenda", TFieldType::ftFloat);
  if (preenchido("pVlrvenda_1"))
    sql += " AND IV.VLRVENDA <= " + literal("pVlrvenda_1", TFieldType::ftFloat);
  if (preenchido("pVlrlocacao"))
    sql += " AND IV.VLRLOCACAO >= " + literal("pVlrlocacao", TFieldType::ftFloat);
  if (preenchido("pVlrlocacao_1"))
    sql += " AND IV.VLRLOCACAO <= " + literal("pVlrlocacao_1", TFieldType::ftFloat);
  dataworks::AcrescentarFiltroIntervalo(sql, "I.BAIXADO", params.GetValues("pBaixado"));
  if (preenchido("pDatabaixa"))
    sql += " AND IB.DATABAIXA >= " + literal("pDatabaixa", TFieldType::ftDate);
  if (preenchido("pDatabaixa_1"))
    sql += " AND IB.DATABAIXA <= " + literal("pDatabaixa_1", TFieldType::ftDate);
  sql += " ORDER BY TI.TIPOIMOVEL, I.CODIGOIMOVEL";

  const int64_t codigo_escrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCDS = dataworks::ExecutarSQL(sql, {codigo_escrit}, true, false, -1, "", nullptr, true);
}

void TPropertyListReport::imprimirNomeEmpresa() {
  Report()->GetParams().SetValues("pNomeEmpresa",
                                  properties::NomeEmpresa(RepParam("pCodigoEscrit")));
}

void TPropertyListReport::ordenar() {
  const std::string texto = RepParam("pOrdenar");
  if (vcl::Trim(texto).empty()) return;
  switch (vcl::StrToInt(texto)) {
    case 1: FCDS->SetIndexFieldNames("TIPOIMOVEL;CODIGOPESSOAFIN"); break;
    case 2: FCDS->SetIndexFieldNames("TIPOIMOVEL;NOME;CODIGOPESSOAFIN"); break;
    case 3: FCDS->SetIndexFieldNames("TIPOIMOVEL;CODIGOIMOVEL;CODIGOPESSOAFIN"); break;
    case 4: FCDS->SetIndexFieldNames("TIPOIMOVEL;ENDERECO;"); break;
    case 5: FCDS->SetIndexFieldNames("TIPOIMOVEL;REF"); break;
    case 6: FCDS->SetIndexFieldNames("TIPOIMOVEL;DTCADASTRO"); break;
    default: break;
  }
}

void TPropertyListReport::imprimirD0() {
  const char* legenda = nullptr;
  switch (FCDS->FieldByName("TIPOIMOVEL").AsInteger()) {
    case 0: legenda = "Casa e Sobrado"; break;
    case 1: legenda = "Apartamento"; break;
    case 2: legenda = "Comercial/Industrial"; break;
    case 3: legenda = "Terreno"; break;
    case 4: legenda = "Rural"; break;
    default: break;  // an unknown code keeps the previous group's caption
  }
  if (legenda) Report()->GetParams().SetValues("pTipoimovel", legenda);
  Report()->RepPrintSection(8);
}

void TPropertyListReport::DoAfterSection(vcl::TObject* Sender, int Section) {
  if (Section == 1 && FCabecalho) FCabecalho->ImpressaoCabecalho();
}

void TPropertyListReport::ImprimirTotalTipo(Totais& totais) {
  auto& params = Report()->GetParams();
  // The caption comes back from what imprimirD0 set as pTipoimovel.
  const std::string legenda = params.GetValues("pTipoImovel");
  params.SetValues("pTotalTitulo_",
                   "Total " + legenda + " (" + TituloQuantidade(totais.quantidade_grupo) + ") :");
  params.SetValues("pTotalVlrVenda_", vcl::FormatFloat(kFormatoValor, totais.venda_grupo));
  params.SetValues("pTotalVlrLocacao_", vcl::FormatFloat(kFormatoValor, totais.locacao_grupo));
  Report()->RepPrintSection(11);
  totais.por_tipo.push_back({params.GetValues("pTipoImovel"), totais.quantidade_grupo});
  totais.venda_grupo = 0;
  totais.locacao_grupo = 0;
  totais.quantidade_grupo = 0;
}

void TPropertyListReport::ImprimirTotalGeral(Totais& totais) {
  auto& params = Report()->GetParams();
  Report()->RepPrintSection(12);
  params.SetValues("pTotalTitulo_",
                   "Total Geral  (" + TituloQuantidade(totais.quantidade_total) + ") :");
  params.SetValues("pTotalVlrVenda_", vcl::FormatFloat(kFormatoValor, totais.venda_total));
  params.SetValues("pTotalVlrLocacao_", vcl::FormatFloat(kFormatoValor, totais.locacao_total));
  Report()->RepPrintSection(11);

  const std::string sim = typeworks::THelperEnumStr::TDicSimNao(typeworks::TDicSimNao::dsnSim);
  if (RepParam("pTotalizarTipoImovel") != sim || totais.por_tipo.empty()) return;
  Report()->RepPrintSection(12);
  params.SetValues("pTotalTitulo_", "Quantidade Total por Tipo de Imóvel:");
  params.SetValues("pTotalVlrVenda_", "");
  params.SetValues("pTotalVlrLocacao_", "");
  Report()->RepPrintSection(11);
  for (const auto& tipo : totais.por_tipo) {
    params.SetValues("pTotalTitulo_", "    " + tipo.TipoImovel);
    params.SetValues("pTotalVlrLocacao_", vcl::IntToStr(tipo.Quantidade));
    params.SetValues("pTotalVlrVenda_", "");
    Report()->RepPrintSection(11);
  }
}

void TPropertyListReport::ImprimirInterno() {
  caregarDados();
  if (FCDS->IsEmpty()) {
    dataworks::DestruirSQL(FCDS);
    return;
  }
  dataworks::LiberarAoSair liberar(FCDS);
  auto& params = Report()->GetParams();

  imprimirNomeEmpresa();
  Totais totais;
  const int total_registros = FCDS->RecordCount();
  std::string tipo_anterior;
  ordenar();
  FCDS->First();

  vcl::TField& codigo_imovel = FCDS->FieldByName("CODIGOIMOVEL");
  vcl::TField& tipo_imovel = FCDS->FieldByName("TIPOIMOVEL");
  vcl::TField& codigo_pessoa = FCDS->FieldByName("CODIGOPESSOAFIN");
  vcl::TField& nome = FCDS->FieldByName("NOME");
  vcl::TField& vlr_venda = FCDS->FieldByName("VLRVENDA");
  vcl::TField& vlr_locacao = FCDS->FieldByName("VLRLOCACAO");
  vcl::TField& quantidade_prop = FCDS->FieldByName("QUANTIDADEPROP");
  vcl::TField& endereco = FCDS->FieldByName("ENDERECO");

  int progresso = 0;
  while (!FCDS->Eof()) {
    const double venda = ValorMonetario(vlr_venda);
    const double locacao = ValorMonetario(vlr_locacao);
    ++totais.quantidade_grupo;
    ++totais.quantidade_total;
    totais.venda_grupo += venda;
    totais.venda_total += venda;
    totais.locacao_grupo += locacao;
    totais.locacao_total += locacao;

    if (tipo_anterior != tipo_imovel.AsString()) imprimirD0();

    params.SetValues("pImovel", vcl::FormatFloat("00000", codigo_imovel.AsFloat()) + " - " +
                                    endereco.AsString());
    params.SetValues("pProprietario", vcl::FormatFloat("00000", codigo_pessoa.AsFloat()) +
                                          " - " + nome.AsString() + " " +
                                          quantidade_prop.AsString());
    params.SetValues("pVlrVenda_", vcl::FormatFloat(kFormatoValor, venda));
    params.SetValues("pVlrLocacao_", vcl::FormatFloat(kFormatoValor, locacao));
    Report()->RepPrintSection(9);

    tipo_anterior = tipo_imovel.AsString();
    Report()->CSLShowProgress(++progresso, total_registros);

    FCDS->Next();
    // At the end the type is not read again: the end of the rows closes the
    // last group by itself.
    const bool fim = FCDS->Eof();
    if (fim || tipo_imovel.AsString() != tipo_anterior) {
      ImprimirTotalTipo(totais);
      Report()->RepPrintSection(10);
      if (fim) ImprimirTotalGeral(totais);
    }
  }
}

void TPropertyListReport::MudarEnableCampo(const std::string& _ACampo, bool _ATipo) {
  const char* inferior = nullptr;
  const char* superior = nullptr;
  if (_ACampo == "pBaixado") {
    inferior = "pDatabaixa";
    superior = "pDatabaixa_1";
  } else if (_ACampo == "pNegociacao1") {
    inferior = "pVlrvenda";
    superior = "pVlrvenda_1";
  } else if (_ACampo == "pNegociacao2") {
    inferior = "pVlrlocacao";
    superior = "pVlrlocacao_1";
  } else {
    return;
  }
  auto& params = Report()->GetParams();
  for (const char* name : {inferior, superior}) {
    if (printworks::TnFraControle* control = params.EdFindFieldControl(name))
      control->SetEnabled(_ATipo);
  }
}

void TPropertyListReport::EsvaziarCampo(const std::string& name) {
  if (printworks::TnFraControle* control = Report()->GetParams().EdFindFieldControl(name))
    control->Clear();
}

void TPropertyListReport::DoParamChange(vcl::TObject* Sender,
                                        printworks::TnpqParamItem* _AParam) {
  if (!_AParam) return;
  printworks::TnFraControle* control = Report()->GetParams().EdFindFieldControl(_AParam);
  if (!control) return;
  const std::string texto = control->GetAsString();

  if (vcl::SameText(_AParam->Name(), "pBaixado")) {
    if (texto == "0") {
      MudarEnableCampo("pBaixado", false);
      EsvaziarCampo("pDatabaixa");
      EsvaziarCampo("pDatabaixa_1");
    } else {
      MudarEnableCampo("pBaixado", true);
    }
  }

  if (vcl::SameText(_AParam->Name(), "pNegociacao")) {
    using typeworks::TTipoNegociacao;
    auto texto_de = [](TTipoNegociacao t) { return typeworks::THelperEnumStr::TTipoNegociacao(t); };
    if (texto == texto_de(TTipoNegociacao::tnVenda)) {
      MudarEnableCampo("pNegociacao1", true);
      MudarEnableCampo("pNegociacao2", false);
      EsvaziarCampo("pVlrlocacao");
      EsvaziarCampo("pVlrlocacao_1");
    } else if (texto == texto_de(TTipoNegociacao::tnLocacao)) {
      MudarEnableCampo("pNegociacao1", false);
      MudarEnableCampo("pNegociacao2", true);
      EsvaziarCampo("pVlrvenda");
      EsvaziarCampo("pVlrvenda_1");
    } else if (texto == texto_de(TTipoNegociacao::tnPermuta)) {
      MudarEnableCampo("pNegociacao1", false);
      MudarEnableCampo("pNegociacao2", false);
      EsvaziarCampo("pVlrlocacao");
      EsvaziarCampo("pVlrlocacao_1");
      EsvaziarCampo("pVlrvenda");
      EsvaziarCampo("pVlrvenda_1");
    } else {
      // Both sale and rent, or a text that names no negotiation type.
      MudarEnableCampo("pNegociacao1", true);
      MudarEnableCampo("pNegociacao2", true);
    }
  }
}

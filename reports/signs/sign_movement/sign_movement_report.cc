#include "reports/signs/sign_movement/sign_movement_report.h"

#include <cmath>
#include <cstdint>

#include "frame/field_map.h"
#include "frame/nrw_base_dll_reg.h"
#include "frame/office_heading.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/strings.h"

NRW_REGISTER_REPORT(TSignMovementReport);

namespace {

NRW_FIELD_MAP(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL);
NRW_FIELD_MAP(TMapTot, CODIGOPESSOAFIN, CODIGOPLACA, TOTAL);
NRW_FIELD_MAP(TMapPla, CODIGOESCRIT, CODIGOPLACA, REFERENCIA, NUMEROSERIE, CODIGOTIPOPLACA,
              COMPRIMENTO, ALTURA, SALDOATUAL, SALDOTOTAL, DESCRICAO);
NRW_FIELD_MAP(TMapPlm, CODIGOESCRIT, CODIGOMOVIMENTO, TIPOMOVIMENTO, DATAMOVIMENTO, CODIGOPLACA,
              CODIGOIMOVEL, QUANTIDADE, CODIGOPESSOAFIN, VALORUNITARIO, OBSERVACAO,
              CODIGOENDERECO, CODIGOMUNICIPIO, ENDERECO1, ENDERECO2, CEP, COMPLEMENTO,
              DSTIPOLOGRADORO, NOMELOGRADORO, CODIGOBAIRRO, NOMEBAIRRO, NOMEMUNICIPIO,
              SIGLAESTADO, NRENDERECO, COMPLEMENTOIMO, DSTPIMOVEL);

constexpr auto kIncluir = dataworks::TnpqTypeInclusionExV::tieIncluir;

std::string Numero(double value) { return vcl::FloatToStr(value); }

// The range of one sign on a dataset indexed on CODIGOESCRIT;CODIGOPLACA.
void FiltrarPlaca(dataworks::TnClientDataSet& ds, const vcl::VariantArray& chave) {
  ds.CancelRange();
  ds.SetRange(chave, chave);
}

}  // namespace

TSignMovementReport::~TSignMovementReport() { LiberarDados(); }

std::string TSignMovementReport::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TSignMovementReport::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {8, 9, 10, 11, 12, 13};
}

void TSignMovementReport::DoParamChange(vcl::TObject*, printworks::TnpqParamItem*) {}
void TSignMovementReport::DoParamEnter(vcl::TObject*, printworks::TnpqParamItem*) {}
void TSignMovementReport::DoParamExit(vcl::TObject*, printworks::TnpqParamItem*) {}

// ---------------------------------------------------------------------------
// Parameters and queries

void TSignMovementReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoImovel = vcl::Trim(RepParam("pCodigoImovel"));
  FCodigoPlaca = vcl::Trim(RepParam("pCodigoPlaca"));
  FDataInicial = vcl::StrToDate(vcl::Trim(RepParam("pDataInicial")));
  FDataFinal = vcl::StrToDate(vcl::Trim(RepParam("pDataFinal")));
}

namespace {

// Sign clause: empty, or the fragment limiting `column` to the selected signs.
std::string ClausulaPlaca(const std::string& column, const std::string& selecao) {
  if (vcl::Trim(selecao).empty()) return "";
  return dataworks::FilterInterval(column, selecao, kIncluir, true, 3, -1);
}

// Property clause, plain form: only movements at the selected properties.
std::string ClausulaImovel(const std::string& selecao) {
  if (vcl::Trim(selecao).empty()) return "";
  return dataworks::FilterInterval("PLM.CODIGOIMOVEL", selecao, kIncluir, true, 3, -1);
}

// Property clause, open form: the selected properties and movements without one.
std::string ClausulaImovelAberta(const std::string& selecao) {
  if (vcl::Trim(selecao).empty()) return "";
  return " and ((" +
         dataworks::FilterInterval("PLM.CODIGOIMOVEL", selecao, kIncluir, false, 3, -1) +
         ") or (PLM.CODIGOIMOVEL = 0))";
}

}  // namespace

std::string TSignMovementReport::SQLPlaca() {
  std::string sql =
      "select   PLA.CODIGOESCRIT,   PLA.CODIGOPLACA,   PLA.REFERENCIA,   PLA.NUMEROSERIE,   "
      "PLA.CODIGOTIPOPLACA,   PLA.COMPRIMENTO,   PLA.ALTURA,   PLA.SALDOATUAL,   "
      "PLA.SALDOTOTAL,   TIP.DESCRICAO from PLACA PLA inner join TIPOPLACA TIP on "
      "TIP.CODIGOTIPOPLACA = PLA.CODIGOTIPOPLACA where PLA.CODIGOESCRIT = :pCodigoEscrit  "
      "and not EXISTS  (SELECT    PLM.CODIGOPLACA   FROM PLACAMOVIMENTO PLM  WHERE "
      "PLM.CODIGOESCRIT = PLA.CODIGOESCRIT    and PLM.CODIGOPLACA = PLA.CODIGOPLACA    and "
      "PLM.TIPOMOVIMENTO = ";
  sql += dataworks::ValorParaSQL(int64_t{4});
  sql += "   and not exists ( select PLX.CODIGOPLACA from PLACAMOVIMENTO PLX ";
  sql += "                    where PLX.CODIGOESCRIT = PLM.CODIGOESCRIT ";
  sql += "                       and PLX.CODIGOPLACA = PLM.CODIGOPLACA ";
  sql += "                       and PLX.CODIGOMOVIMENTO > PLM.CODIGOMOVIMENTO)) ";
  sql += " and EXISTS ";
  sql += " (SELECT ";
  sql += "   PLM.CODIGOPLACA ";
  sql += "  FROM PLACAMOVIMENTO PLM ";
  sql += " WHERE PLM.CODIGOESCRIT = PLA.CODIGOESCRIT ";
  sql += "   and PLM.CODIGOPLACA = PLA.CODIGOPLACA ";
  sql += ClausulaImovel(FCodigoImovel);
  sql += "   and PLM.DATAMOVIMENTO between :pDataInicial and :pDataFinal) ";
  sql += ClausulaPlaca("PLA.CODIGOPLACA", FCodigoPlaca);
  sql += "order by PLA.CODIGOESCRIT, PLA.CODIGOPLACA ";
  return sql;
}

// The movements of the period, each with its property's address and type.
// Of a sign with type-4 movements only those after the latest type-4 movement
// (the highest CODIGOMOVIMENTO among them) are listed; the max() keeps the
// subquery to one value when a sign has several.
std::string TSignMovementReport::SQLPlacaMovimento() {
  std::string sql =
      "select   PLM.CODIGOESCRIT,   PLM.CODIGOMOVIMENTO,   PLM.TIPOMOVIMENTO,   "
      "PLM.DATAMOVIMENTO,   PLM.CODIGOPLACA,   PLM.CODIGOIMOVEL,   PLM.QUANTIDADE,   "
      "PLM.CODIGOPESSOAFIN,   PLM.VALORUNITARIO,   PLM.OBSERVACAO,   VEN.CODIGOENDERECO,   "
      "VEN.CODIGOMUNICIPIO,   VEN.ENDERECO1,   VEN.ENDERECO2,   VEN.CEP,   VEN.COMPLEMENTO,   "
      "VEN.DSTIPOLOGRADORO,   VEN.NOMELOGRADORO,   VEN.CODIGOBAIRRO,   VEN.NOMEBAIRRO,   "
      "VEN.NOMEMUNICIPIO,   VEN.SIGLAESTADO,   IMO.NRENDERECO,   IMO.COMPLEMENTO "
      "COMPLEMENTOIMO,   TPI.DSTPIMOVEL from PLACAMOVIMENTO PLM left outer join IMOVEL    IMO "
      "on IMO.CODIGOESCRIT  = PLM.CODIGOESCRIT and IMO.CODIGOIMOVEL = PLM.CODIGOIMOVEL left "
      "outer join TPIMOVEL  TPI on TPI.CODIGOTPIMOVEL = IMO.CODIGOTPIMOVEL left outer join "
      "VENDERECO VEN on VEN.CODIGOENDERECO = IMO.CODIGOENDERECO where PLM.CODIGOESCRIT = "
      ":pCODIGOESCRIT   and PLM.DATAMOVIMENTO between :pDataInicial and :pDataFinal   and "
      "PLM.CODIGOMOVIMENTO >   coalesce((select max(PLX.CODIGOMOVIMENTO) from PLACAMOVIMENTO "
      "PLX    where PLX.CODIGOESCRIT = PLM.CODIGOESCRIT      and PLX.CODIGOPLACA = "
      "PLM.CODIGOPLACA      and PLX.tipomovimento = ";
  sql += dataworks::ValorParaSQL(int64_t{4});
  sql += "), 0) ";
  sql += ClausulaImovelAberta(FCodigoImovel);
  sql += ClausulaPlaca("PLM.CODIGOPLACA", FCodigoPlaca);
  sql += "order by PLM.CODIGOESCRIT,PLM.CODIGOPLACA,PLM.DATAMOVIMENTO,PLM.CODIGOMOVIMENTO";
  return sql;
}

std::string TSignMovementReport::SQLEmpresa() {
  return "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro "
         "PES join ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN  where "
         "PES.CODIGOPESSOAFIN = :pCodigoEscrit  order by PES.CODIGOPESSOAFIN";
}

// Per sign, the units of one movement type before the period.
std::string TSignMovementReport::SQLSaldo(int tipo) {
  std::string sql =
      "select   PLM.CODIGOESCRIT,   PLM.CODIGOPLACA,   sum(PLM.QUANTIDADE) as TOTAL from "
      "PLACAMOVIMENTO PLM where PLM.CODIGOESCRIT = :pCodigoEscrit   and PLM.DATAMOVIMENTO < "
      ":pDataInicial   and PLM.TIPOMOVIMENTO = ";
  sql += dataworks::ValorParaSQL(static_cast<int64_t>(tipo));
  sql += ClausulaImovelAberta(FCodigoImovel);
  sql += ClausulaPlaca("PLM.CODIGOPLACA", FCodigoPlaca);
  sql += "group by PLM.CODIGOESCRIT, ";
  sql += "         PLM.CODIGOPLACA ";
  sql += "order by PLM.CODIGOESCRIT, PLM.CODIGOPLACA ";
  return sql;
}

// A failed query must not pass for an empty report: every dataset fetched so
// far is released and the engine's error goes on to the host.
void TSignMovementReport::caregarDados() {
  const vcl::Variant escritorio = static_cast<int64_t>(FCodigoEscrit);
  const vcl::Variant inicio = vcl::DateTimeValue{FDataInicial};
  const vcl::Variant fim = vcl::DateTimeValue{FDataFinal};
  try {
    FCdsPlaca = dataworks::ExecutarSQL(SQLPlaca(), {escritorio, inicio, fim});
    FCdsPlacaMovimento = dataworks::ExecutarSQL(SQLPlacaMovimento(), {escritorio, inicio, fim});
    FCdsEmpresa = dataworks::ExecutarSQL(SQLEmpresa(), {escritorio});
    FCdsSaldoSaida = dataworks::ExecutarSQL(SQLSaldo(1), {escritorio, inicio});
    FCdsSaldoEntrada = dataworks::ExecutarSQL(SQLSaldo(2), {escritorio, inicio});
    FCdsSaldoAquisicao = dataworks::ExecutarSQL(SQLSaldo(0), {escritorio, inicio});
    FCdsSaldoBaixa = dataworks::ExecutarSQL(SQLSaldo(3), {escritorio, inicio});
    // Stable: within one sign the movements keep the query's order.
    FCdsPlacaMovimento->SetIndexFieldNames("CODIGOESCRIT;CODIGOPLACA");
    // The sums are reached by range too, which needs an index on the same pair.
    for (auto* soma : {&FCdsSaldoSaida, &FCdsSaldoEntrada, &FCdsSaldoAquisicao, &FCdsSaldoBaixa}) {
      (*soma)->SetIndexFieldNames("CODIGOESCRIT;CODIGOPLACA");
    }
  } catch (...) {
    LiberarDados();
    throw;
  }
}

void TSignMovementReport::FiltrarMovimentos() {
  auto* pla = PegarMapa<TMapPla>(FCdsPlaca.get());
  FiltrarPlaca(*FCdsPlacaMovimento, {pla->CODIGOESCRIT->AsLargeInt(), pla->CODIGOPLACA->AsLargeInt()});
}

void TSignMovementReport::LiberarDados() {
  dataworks::DestruirSQL(FCdsPlaca);
  dataworks::DestruirSQL(FCdsPlacaMovimento);
  dataworks::DestruirSQL(FCdsEmpresa);
  dataworks::DestruirSQL(FCdsSaldoSaida);
  dataworks::DestruirSQL(FCdsSaldoEntrada);
  dataworks::DestruirSQL(FCdsSaldoAquisicao);
  dataworks::DestruirSQL(FCdsSaldoBaixa);
}

// ---------------------------------------------------------------------------
// Printing

void TSignMovementReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TMapEmp>(FCdsEmpresa.get());
  auto& params = Report()->GetParams();
  frame::DefinirCabecalhoEscritorio(params, emp->CODIGOPESSOAFIN->AsInteger(),
                                    emp->NOME->AsString(), emp->INSCFEDERAL->AsString());
}

void TSignMovementReport::ImprimirSaldoAnterior() {
  FPlaca.SaldoImoveis = 0;
  FPlaca.SaldoImobiliaria = 0;
  FPlaca.SaldoPerdidos = 0;
  FPlaca.SaldoTotal = 0;
  FImovel.Saldo = 0;
  FImovel.Saida = 0;
  FImovel.Entrada = 0;

  auto* pla = PegarMapa<TMapPla>(FCdsPlaca.get());
  const vcl::VariantArray chave{pla->CODIGOESCRIT->AsLargeInt(), pla->CODIGOPLACA->AsLargeInt()};
  // The sign's TOTAL in one sum dataset; 0 when the sign has no row there.
  auto FiltrarTotal = [&chave](dataworks::TnClientDataSet& soma) {
    FiltrarPlaca(soma, chave);
    return soma.IsEmpty() ? 0.0 : PegarMapa<TMapTot>(&soma)->TOTAL->AsFloat();
  };
  const double saida = FiltrarTotal(*FCdsSaldoSaida);
  const double entrada = FiltrarTotal(*FCdsSaldoEntrada);
  const double aquisicao = FiltrarTotal(*FCdsSaldoAquisicao);
  const double baixa = FiltrarTotal(*FCdsSaldoBaixa);

  const double em = entrada + aquisicao;
  const double fora = saida + baixa;
  auto& params = Report()->GetParams();
  params.SetValues("T1", "Saldo Anterior");
  params.SetValues("T2", Numero(em));
  params.SetValues("T3", Numero(fora));
  params.SetValues("T4", Numero(em - fora));
  FImovel.Saldo = em - fora;
  FPlaca.SaldoImobiliaria = em - fora;
  FPlaca.SaldoImoveis = saida - entrada;
  RepPrintSection(11);
}

void TSignMovementReport::SetDadosPlaca() {
  auto* pla = PegarMapa<TMapPla>(FCdsPlaca.get());
  FPlaca.CodigoPlaca = pla->CODIGOPLACA->AsInteger();
  FPlaca.DescrPlaca = "Placa: " + vcl::FormatFloat("0000", FPlaca.CodigoPlaca) + "|" +
                      pla->REFERENCIA->AsString() + (pla->REFERENCIA->IsNull() ? "" : " | ") +
                      pla->DESCRICAO->AsString() + " | " +
                      vcl::FormatFloat("#,##0.00", pla->ALTURA->AsFloat()) + " x " +
                      vcl::FormatFloat("#,##0.00", pla->COMPRIMENTO->AsFloat());
  Report()->GetParams().SetValues("P1", FPlaca.DescrPlaca);
}

void TSignMovementReport::ImprimirMovimentos() {
  auto* plm = PegarMapa<TMapPlm>(FCdsPlacaMovimento.get());

  // "00012  CASA - RUA DAS FLORES, 10 - CENTRO - CAMPINAS/SP", or empty when
  // the movement has no property.
  auto MontarDescrImovel = [plm]() -> std::string {
    const int codigo = plm->CODIGOIMOVEL->AsInteger();
    if (codigo <= 0) return "";
    std::string texto = vcl::FormatFloat("00000", codigo) + "  ";
    auto acrescentar = [&texto](const vcl::TField* campo, const std::string& antes,
                                const std::string& depois) {
      const std::string valor = campo->AsString();
      if (!valor.empty()) texto += antes + valor + depois;
    };
    acrescentar(plm->DSTPIMOVEL, "", " - ");
    acrescentar(plm->ENDERECO1, "", "");
    acrescentar(plm->NRENDERECO, ", ", "");
    acrescentar(plm->COMPLEMENTO, " ", "");
    acrescentar(plm->NOMEBAIRRO, " - ", "");
    acrescentar(plm->NOMEMUNICIPIO, " - ", "");
    acrescentar(plm->SIGLAESTADO, "/", "");
    return vcl::AnsiUpperCase(texto);
  };

  auto& params = Report()->GetParams();
  for (FCdsPlacaMovimento->First(); !FCdsPlacaMovimento->Eof(); FCdsPlacaMovimento->Next()) {
    FImovel.CodigoImovel = plm->CODIGOIMOVEL->AsInteger();
    FImovel.DataMvto = plm->DATAMOVIMENTO->AsDateTime();
    FImovel.DescrImovel = MontarDescrImovel();
    FImovel.DescrMovimentacao = plm->OBSERVACAO->AsString();
    FImovel.Saida = 0;
    FImovel.Entrada = 0;

    const double q = plm->QUANTIDADE->AsFloat();
    switch (plm->TIPOMOVIMENTO->AsInteger()) {
      case 0:  // acquisition
        FPlaca.SaldoImobiliaria += q;
        FImovel.Entrada = q;
        FImovel.Saldo += q;
        break;
      case 1:  // out to a property
        FPlaca.SaldoImobiliaria -= q;
        FPlaca.SaldoImoveis += q;
        FImovel.Saida = q;
        FImovel.Saldo -= q;
        break;
      case 2:  // back from a property
        FPlaca.SaldoImobiliaria += q;
        FPlaca.SaldoImoveis -= q;
        FImovel.Entrada = q;
        FImovel.Saldo += q;
        break;
      case 3:  // write-off
        FPlaca.SaldoImobiliaria -= q;
        FPlaca.SaldoPerdidos += q;
        FImovel.Saida = q;
        FImovel.Saldo -= q;
        break;
      default:  // other types only print their line
        break;
    }

    params.SetValues("R1", vcl::DateToStr(FImovel.DataMvto));
    params.SetValues("R2", FImovel.DescrMovimentacao);
    params.SetValues("R3", FImovel.DescrImovel);
    params.SetValues("R4", FImovel.Entrada != 0 ? Numero(std::fabs(FImovel.Entrada)) : "");
    params.SetValues("R5", FImovel.Saida != 0 ? Numero(std::fabs(FImovel.Saida)) : "");
    params.SetValues("R6", Numero(FImovel.Saldo));
    FEntrada += std::fabs(FImovel.Entrada);
    FSaida += std::fabs(FImovel.Saida);
    RepPrintSection(8);
  }
}

void TSignMovementReport::ImprimirSaldoPlaca() {
  FPlaca.SaldoTotal = std::fabs(FPlaca.SaldoImoveis) + std::fabs(FPlaca.SaldoImobiliaria);
  LimparParametros();
  Report()->GetParams().SetValues(
      "P1", "*** Baixas: " + Numero(std::fabs(FPlaca.SaldoPerdidos)) +
                ".       Saldo em Imóveis: " + Numero(std::fabs(FPlaca.SaldoImoveis)) +
                ".       Saldo na Imobiliária: " + Numero(std::fabs(FPlaca.SaldoImobiliaria)) +
                ".       Saldo Total: " + Numero(std::fabs(FPlaca.SaldoTotal)));
  RepPrintSection(12);
}

void TSignMovementReport::LimparParametros() {
  auto& params = Report()->GetParams();
  for (int i = 1; i <= 7; ++i) params.SetValues("R" + std::to_string(i), "");
}

void TSignMovementReport::ImprimirTotal() {
  LimparParametros();
  RepPrintSection(10);
  auto& params = Report()->GetParams();
  params.SetValues("A1", Numero(FEntrada));
  params.SetValues("A2", Numero(FSaida));
  RepPrintSection(13);
}

void TSignMovementReport::ImprimirInterno() {
  CarregarParametros();
  caregarDados();
  if (FCdsEmpresa->IsEmpty()) return;  // the destructor releases the datasets

  try {
    imprimirNomeEmpresa();
    const int n = FCdsPlaca->RecordCount();
    FEntrada = 0;
    FSaida = 0;
    int i = 0;
    FCdsPlaca->First();
    while (!FCdsPlaca->Eof()) {
      ++i;
      ImprimirSaldoAnterior();
      SetDadosPlaca();
      RepPrintSection(12);
      FiltrarMovimentos();
      ImprimirMovimentos();
      ImprimirSaldoPlaca();
      LimparParametros();
      Report()->CSLShowProgress(i, n);
      FCdsPlaca->Next();
      if (!FCdsPlaca->Eof()) RepPrintSection(8);  // an empty line between signs
    }
    ImprimirTotal();
  } catch (...) {
    LiberarDados();
    throw;
  }
  LiberarDados();
}

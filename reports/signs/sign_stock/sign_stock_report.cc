#include "reports/signs/sign_stock/sign_stock_report.h"

#include <cmath>
#include <cstdint>

#include "frame/field_map.h"
#include "frame/nrw_base_dll_reg.h"
#include "frame/office_heading.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/strings.h"

NRW_REGISTER_REPORT(TSignStockReport);

namespace {

NRW_FIELD_MAP(TMapPlaca, CODIGOESCRIT, CODIGOPLACA, REFERENCIA, NUMEROSERIE, CODIGOTIPOPLACA,
              COMPRIMENTO, ALTURA, SALDOATUAL, SALDOTOTAL, DESCRICAO);
NRW_FIELD_MAP(TMapPlacaMovimento, CODIGOESCRIT, CODIGOMOVIMENTO, TIPOMOVIMENTO, DATAMOVIMENTO,
              CODIGOPLACA, CODIGOIMOVEL, QUANTIDADE, CODIGOPESSOAFIN, VALORUNITARIO,
              OBSERVACAO);
NRW_FIELD_MAP(TMapEmpresa, CODIGOPESSOAFIN, NOME, INSCFEDERAL);

// The selection clause on a sign-code column: empty, or " AND (...)".
std::string FiltroPlaca(const std::string& column, const std::string& selecao) {
  return dataworks::FilterInterval(column, selecao,
                                   dataworks::TnpqTypeInclusionExV::tieIncluir, true, 3, -1);
}

}  // namespace

TSignStockReport::~TSignStockReport() { LiberarDados(); }

std::string TSignStockReport::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TSignStockReport::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {8};
}

void TSignStockReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoPlaca = vcl::Trim(RepParam("pCodigoPlaca"));
  FDataBase = vcl::StrToDate(vcl::Trim(RepParam("pDataBase")));
  FSaldoZero = vcl::StrToBool(vcl::Trim(RepParam("pSaldoZero")));
}

std::string TSignStockReport::SQLPlaca() {
  std::string sql =
      "select   PLA.CODIGOESCRIT,   PLA.CODIGOPLACA,   PLA.REFERENCIA,   PLA.NUMEROSERIE,   "
      "PLA.CODIGOTIPOPLACA,   PLA.COMPRIMENTO,   PLA.ALTURA,   PLA.SALDOATUAL,   "
      "PLA.SALDOTOTAL,   TIP.DESCRICAO from PLACA PLA inner join TIPOPLACA TIP on "
      "TIP.CODIGOTIPOPLACA = PLA.CODIGOTIPOPLACA where PLA.CODIGOESCRIT = :pCodigoEscrit ";
  if (!FSaldoZero) {
    sql += " and EXISTS ";
    sql += " (SELECT ";
    sql += "   PLM.CODIGOPLACA ";
    sql += "  FROM PLACAMOVIMENTO PLM ";
    sql += " WHERE PLM.CODIGOESCRIT = PLA.CODIGOESCRIT ";
    sql += "   and PLM.CODIGOPLACA = PLA.CODIGOPLACA ";
    sql += "   and PLM.DATAMOVIMENTO <= :pDataBase) ";
  }
  if (!vcl::Trim(FCodigoPlaca).empty()) sql += FiltroPlaca("PLA.CODIGOPLACA", FCodigoPlaca);
  sql += "order by PLA.CODIGOESCRIT, PLA.CODIGOPLACA ";
  return sql;
}

std::string TSignStockReport::SQLPlacaMovimento() {
  std::string sql =
      "select   PLM.CODIGOESCRIT,   PLM.CODIGOMOVIMENTO,   PLM.TIPOMOVIMENTO,   "
      "PLM.DATAMOVIMENTO,   PLM.CODIGOPLACA,   PLM.CODIGOIMOVEL,   PLM.QUANTIDADE,   "
      "PLM.CODIGOPESSOAFIN,   PLM.VALORUNITARIO,   PLM.OBSERVACAO from PLACAMOVIMENTO PLM "
      "where PLM.CODIGOESCRIT = :pCODIGOESCRIT   and PLM.DATAMOVIMENTO <= :pDataBase ";
  if (!vcl::Trim(FCodigoPlaca).empty()) sql += FiltroPlaca("PLM.CODIGOPLACA", FCodigoPlaca);
  sql += "order by PLM.CODIGOESCRIT,PLM.CODIGOPLACA,PLM.CODIGOIMOVEL";
  return sql;
}

std::string TSignStockReport::SQLEmpresa() {
  return "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro "
         "PES join ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN  where "
         "PES.CODIGOPESSOAFIN = :pCodigoEscrit  order by PES.CODIGOPESSOAFIN";
}

// A failed query must not pass for an empty report: whatever was fetched is
// released and the engine's error goes on to the host.
void TSignStockReport::caregarDados() {
  const vcl::Variant escritorio = static_cast<int64_t>(FCodigoEscrit);
  const vcl::Variant data_base = vcl::DateTimeValue{FDataBase};
  try {
    vcl::VariantArray valores_placa{escritorio};
    if (!FSaldoZero) valores_placa.push_back(data_base);
    FCdsPlaca = dataworks::ExecutarSQL(SQLPlaca(), valores_placa);
    FCdsPlacaMovimento = dataworks::ExecutarSQL(SQLPlacaMovimento(), {escritorio, data_base});
    FCdsEmpresa = dataworks::ExecutarSQL(SQLEmpresa(), {escritorio});
    FCdsPlacaMovimento->SetIndexFieldNames("CODIGOESCRIT;CODIGOPLACA");
  } catch (...) {
    LiberarDados();
    throw;
  }
}

void TSignStockReport::LiberarDados() {
  dataworks::DestruirSQL(FCdsPlaca);
  dataworks::DestruirSQL(FCdsEmpresa);
  dataworks::DestruirSQL(FCdsPlacaMovimento);
}

void TSignStockReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TMapEmpresa>(FCdsEmpresa.get());
  auto& params = Report()->GetParams();
  frame::DefinirCabecalhoEscritorio(params, emp->CODIGOPESSOAFIN->AsInteger(),
                                    emp->NOME->AsString(), emp->INSCFEDERAL->AsString());
  params.SetValues("pCabDataBase", vcl::DateToStr(FDataBase));
}

void TSignStockReport::FiltrarMovimentos() {
  auto* pla = PegarMapa<TMapPlaca>(FCdsPlaca.get());
  const vcl::VariantArray chave{pla->CODIGOESCRIT->AsLargeInt(), pla->CODIGOPLACA->AsLargeInt()};
  FCdsPlacaMovimento->CancelRange();
  FCdsPlacaMovimento->SetRange(chave, chave);
}

// Units on properties: type-1 movements to a property minus type-2 movements
// from one; movements without a property (code 0) and other types do not count.
void TSignStockReport::CalcularSaldos() {
  FPlaca.SaldoImoveis = 0;
  FPlaca.SaldoImobiliaria = 0;
  FPlaca.SaldoTotal = 0;
  auto* plm = PegarMapa<TMapPlacaMovimento>(FCdsPlacaMovimento.get());
  for (FCdsPlacaMovimento->First(); !FCdsPlacaMovimento->Eof(); FCdsPlacaMovimento->Next()) {
    if (plm->CODIGOIMOVEL->AsInteger() == 0) continue;
    FImovel.SaldoSaida = 0;
    FImovel.SaldoEntrada = 0;
    switch (plm->TIPOMOVIMENTO->AsInteger()) {
      case 1: FImovel.SaldoSaida += plm->QUANTIDADE->AsFloat(); break;
      case 2: FImovel.SaldoEntrada -= plm->QUANTIDADE->AsFloat(); break;
      default: break;
    }
    FPlaca.SaldoImoveis += std::fabs(FImovel.SaldoSaida) - std::fabs(FImovel.SaldoEntrada);
  }
}

void TSignStockReport::SetDados() {
  auto* pla = PegarMapa<TMapPlaca>(FCdsPlaca.get());
  FPlaca.CodigoPlaca = pla->CODIGOPLACA->AsInteger();
  FPlaca.DescrPlaca = " | " + pla->REFERENCIA->AsString() +
                      (pla->REFERENCIA->IsNull() ? "" : " | ") + pla->DESCRICAO->AsString() +
                      " | " + vcl::FormatFloat("#,##0.00", pla->ALTURA->AsFloat()) + " x " +
                      vcl::FormatFloat("#,##0.00", pla->COMPRIMENTO->AsFloat());
  FPlaca.SaldoTotal = pla->SALDOTOTAL->AsFloat();
  FPlaca.SaldoImobiliaria = FPlaca.SaldoTotal - FPlaca.SaldoImoveis;

  auto& params = Report()->GetParams();
  params.SetValues("pDetCodigoPlaca", vcl::FormatFloat("00000", FPlaca.CodigoPlaca));
  params.SetValues("pDetDescriPlaca", FPlaca.DescrPlaca);
  params.SetValues("pSaldoImobiliaria", vcl::FloatToStr(std::fabs(FPlaca.SaldoImobiliaria)));
  params.SetValues("pSaldoImoveis", vcl::FloatToStr(std::fabs(FPlaca.SaldoImoveis)));
  params.SetValues("pSaldoTotal", vcl::FloatToStr(std::fabs(FPlaca.SaldoTotal)));

  FTotalImoveis += std::fabs(FPlaca.SaldoImoveis);
  FTotalGeral += std::fabs(FPlaca.SaldoTotal);
  FTotalImobiliaria += std::fabs(FPlaca.SaldoImobiliaria);
}

void TSignStockReport::ImprimirTotal() {
  auto& params = Report()->GetParams();
  params.SetValues("pTotal", "Total");
  params.SetValues("pTotalImobiliaria", vcl::FloatToStr(FTotalImobiliaria));
  params.SetValues("pTotalImoveis", vcl::FloatToStr(FTotalImoveis));
  params.SetValues("pTotalGeral", vcl::FloatToStr(FTotalGeral));
}

void TSignStockReport::ImprimirInterno() {
  CarregarParametros();
  caregarDados();
  if (FCdsPlaca->IsEmpty()) return;  // the destructor releases the datasets

  imprimirNomeEmpresa();
  FTotalImobiliaria = 0;
  FTotalImoveis = 0;
  FTotalGeral = 0;
  const int total_placas = FCdsPlaca->RecordCount();
  try {
    int i = 1;
    for (FCdsPlaca->First(); !FCdsPlaca->Eof(); FCdsPlaca->Next(), ++i) {
      Report()->CSLShowProgress(i, total_placas);
      FiltrarMovimentos();
      CalcularSaldos();
      SetDados();
      if (FSaldoZero || FPlaca.SaldoImobiliaria != 0 || FPlaca.SaldoImoveis != 0) {
        RepPrintSection(8);
      }
    }
  } catch (...) {
    ImprimirTotal();
    LiberarDados();
    throw;
  }
  ImprimirTotal();
  LiberarDados();
}

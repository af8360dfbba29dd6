#include "reports/signs/sign_stock_by_property/sign_stock_by_property_report.h"

#include <cstdlib>

#include "frame/field_map.h"
#include "frame/office_heading.h"
#include "frame/nrw_base_dll_reg.h"
#include "host/dataworks/sql.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/strings.h"

NRW_REGISTER_REPORT(TSignStockByPropertyReport);

namespace {

NRW_FIELD_MAP(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL);

std::string Numero(double value) { return vcl::FloatToStr(value); }

}  // namespace

TSignStockByPropertyReport::~TSignStockByPropertyReport() {
  dataworks::DestruirSQL(FCdsEmpresa);
  FBalancete.reset();
}

std::string TSignStockByPropertyReport::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TSignStockByPropertyReport::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();
  return {8, 9, 10, 11};
}

void TSignStockByPropertyReport::DoParamChange(vcl::TObject*, printworks::TnpqParamItem*) {}
void TSignStockByPropertyReport::DoParamEnter(vcl::TObject*, printworks::TnpqParamItem*) {}
void TSignStockByPropertyReport::DoParamExit(vcl::TObject*, printworks::TnpqParamItem*) {}

void TSignStockByPropertyReport::CarregarParametros() {
  FCodigoEscrit = vcl::StrToIntDef(RepParam("pCodigoEscrit"), 0);
  FCodigoImovel = vcl::Trim(RepParam("pCodigoImovel"));
  FCodigoPlaca = vcl::Trim(RepParam("pCodigoPlaca"));
  FDataBase = vcl::StrToDate(vcl::Trim(RepParam("pDataBase")));
}

std::string TSignStockByPropertyReport::SQLEmpresa() {
  return "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro "
         "PES join ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN  where "
         "PES.CODIGOPESSOAFIN = :pCodigoEscrit  order by PES.CODIGOPESSOAFIN";
}

// A failure here must not pass for an empty report: the office dataset is
// released and the error goes on to the host.
void TSignStockByPropertyReport::caregarDados() {
  try {
    FCdsEmpresa = dataworks::ExecutarSQL(SQLEmpresa(), {static_cast<int64_t>(FCodigoEscrit)});
    FBalancete = std::make_unique<entityworks::TnBalancetePlacaImovel>();
    FBalancete->FiltroPlaca = FCodigoPlaca;
    FBalancete->FiltroImovel = FCodigoImovel;
    FListaPlaca = FBalancete->GerarLancamentos(FCodigoEscrit, FDataBase);
  } catch (...) {
    dataworks::DestruirSQL(FCdsEmpresa);
    throw;
  }
}

void TSignStockByPropertyReport::imprimirNomeEmpresa() {
  auto* emp = PegarMapa<TMapEmp>(FCdsEmpresa.get());
  auto& params = Report()->GetParams();
  frame::DefinirCabecalhoEscritorio(params, emp->CODIGOPESSOAFIN->AsInteger(),
                                    emp->NOME->AsString(), emp->INSCFEDERAL->AsString());
}

void TSignStockByPropertyReport::LimparParametros() {
  auto& params = Report()->GetParams();
  params.SetValues("R1", "");
  params.SetValues("R3", "");
  params.SetValues("R4", "");
  params.SetValues("R7", "");
}

void TSignStockByPropertyReport::ImprimirPlaca() {
  Report()->GetParams().SetValues("R4", "Placa: " + vcl::FormatFloat("00000", FPlaca->CodigoPlaca) +
                                            " " + FPlaca->MontarDescricaoPlaca());
  RepPrintSection(10);
}

void TSignStockByPropertyReport::ImprimirSaldoPlaca() {
  Report()->GetParams().SetValues(
      "R4", "*** Saldo em Imóveis: " + Numero(FPlaca->SaldoImoveis) +
                ".     Saldo na Imobiliaria: " + Numero(FPlaca->SaldoImobiliaria) +
                ".     Saldo Total: " + Numero(FPlaca->SaldoTotal));
  RepPrintSection(10);
}

void TSignStockByPropertyReport::ImprimirLinhaEmBranco() {
  LimparParametros();
  RepPrintSection(8);
}

void TSignStockByPropertyReport::ImprimirTotal() {
  auto& params = Report()->GetParams();
  params.SetValues("T1", "Total:");
  params.SetValues("T2", Numero(FBalancete->Total));
  RepPrintSection(11);
}

void TSignStockByPropertyReport::ImprimirInterno() {
  CarregarParametros();
  caregarDados();
  try {
    imprimirNomeEmpresa();

    auto ImprimirImovel = [this](const entityworks::TnPlacaImovel& imovel) {
      auto& params = Report()->GetParams();
      params.SetValues("R1", vcl::FormatFloat("00000", imovel.CodigoImovel));
      params.SetValues("R3", imovel.DescrImovel);
      params.SetValues("R4", "");
      params.SetValues("R7", Numero(std::abs(imovel.Saida) - std::abs(imovel.Entrada)));
      RepPrintSection(8);
    };

    const auto& placas = FListaPlaca->Placas;
    if (!placas.empty()) {
      const int n = static_cast<int>(placas.size());
      for (int i = 1; i <= n; ++i) {
        Report()->CSLShowProgress(i, n);
        FPlaca = &placas[i - 1];
        ImprimirPlaca();
        for (const auto& imovel : FPlaca->Imoveis) ImprimirImovel(imovel);
        ImprimirSaldoPlaca();
        ImprimirLinhaEmBranco();
      }
      ImprimirTotal();
    }
  } catch (...) {
    FPlaca = nullptr;
    dataworks::DestruirSQL(FCdsEmpresa);
    throw;
  }
  FPlaca = nullptr;
  dataworks::DestruirSQL(FCdsEmpresa);
}

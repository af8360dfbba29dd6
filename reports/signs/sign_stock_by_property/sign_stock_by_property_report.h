// SignStockByPropertyReport: for one office and a base date, each sign with
// the properties holding its units, its balances and a closing total, as the
// sign balance object (entityworks::TnBalancetePlacaImovel) computes them.
//
// Parameters: pCodigoEscrit, pCodigoImovel and pCodigoPlaca (selection texts,
// may be empty), pDataBase. Per sign: section 10 with R4 = the sign heading,
// one section 8 per property line (R1 code, R3 description, R7 units there),
// section 10 with R4 = the summary, and an empty section 8; after the last
// sign section 11 with T1 "Total:" and T2 the grand total. The heading is
// pNomeEmpresa and pInscrFederal.
//
// A failure of the office query or of the balance object releases the office
// dataset and reaches the host unchanged.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/entityworks/balancete_placa_imovel.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

class TSignStockByPropertyReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TSignStockByPropertyReport() override;

  static std::string Versao();
  void ImprimirInterno() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  // The report does not react to its parameter form.
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamEnter(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamExit(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;

 private:
  void CarregarParametros();
  void caregarDados();
  std::string SQLEmpresa();
  void imprimirNomeEmpresa();
  void LimparParametros();
  void ImprimirPlaca();
  void ImprimirSaldoPlaca();
  void ImprimirLinhaEmBranco();
  void ImprimirTotal();

  int FCodigoEscrit = 0;
  std::string FCodigoImovel;
  std::string FCodigoPlaca;
  vcl::TDateTime FDataBase = 0;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
  std::unique_ptr<entityworks::TnBalancetePlacaImovel> FBalancete;
  entityworks::TnListaPlaca* FListaPlaca = nullptr;  // owned by FBalancete
  const entityworks::TnPlaca* FPlaca = nullptr;      // points into FListaPlaca
};

// SignStockReport: the stock of every sign of an office at a base date, sign
// by sign (units at the agency, on properties, in total), then grand totals.
//
// Parameters: pCodigoEscrit (office), pCodigoPlaca (selection text on the
// sign code, may be empty), pDataBase (short date), pSaldoZero (boolean:
// also list signs whose balances are zero). Prints section 8 once per listed
// sign with pDetCodigoPlaca, pDetDescriPlaca, pSaldoImobiliaria,
// pSaldoImoveis and pSaldoTotal; the heading is pNomeEmpresa, pInscrFederal
// and pCabDataBase; pTotal, pTotalImobiliaria, pTotalImoveis and pTotalGeral
// are set after the loop (no section of their own).
//
// Three queries for the whole run (signs, movements up to the base date,
// office); each sign reaches its movements through a range on the movement
// dataset's index. A failed query releases every dataset and its error goes
// on to the host unchanged.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

class TSignStockReport : public printworks::TnrwBaseDll {
 public:
  // Figures of the sign being printed.
  struct TRecPlaca {
    int CodigoPlaca = 0;
    std::string DescrPlaca;
    double SaldoImoveis = 0;      // units placed on properties
    double SaldoImobiliaria = 0;  // units at the agency
    double SaldoTotal = 0;        // the sign's total stock
  };
  // Scratch figures of one property movement.
  struct TRecImovel {
    int CodigoImovel = 0;
    std::string DescrImovel;
    double SaldoSaida = 0;    // units out to the property
    double SaldoEntrada = 0;  // units back from it, summed as a negative number
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TSignStockReport() override;

  static std::string Versao();
  void ImprimirInterno() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  // Sets pTotal, pTotalImobiliaria, pTotalImoveis and pTotalGeral.
  void ImprimirTotal();

 private:
  void CarregarParametros();
  void caregarDados();
  std::string SQLEmpresa();
  std::string SQLPlaca();
  std::string SQLPlacaMovimento();
  void imprimirNomeEmpresa();
  void FiltrarMovimentos();
  void CalcularSaldos();
  void SetDados();
  void LiberarDados();

  int FCodigoEscrit = 0;
  std::string FCodigoPlaca;
  vcl::TDateTime FDataBase = 0;
  bool FSaldoZero = false;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsPlaca;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsPlacaMovimento;
  TRecPlaca FPlaca;
  TRecImovel FImovel;
  double FTotalImobiliaria = 0;
  double FTotalImoveis = 0;
  double FTotalGeral = 0;
};

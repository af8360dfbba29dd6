// SignMovementReport: for one office and a period, a ledger of the signs.
// Per sign: the balance before the period (section 11: T1 to T4), a heading
// (section 12: P1), one line per movement of the period with units in, units
// out and the running stock at the agency (section 8: R1 to R6), and a
// summary (section 12: P1) with write-offs and the balances on properties,
// at the agency and in total; an empty section 8 between two signs. Then
// section 10 and the grand totals of units in and out (section 13: A1, A2).
//
// Parameters: pCodigoEscrit, pCodigoImovel and pCodigoPlaca (selection texts,
// may be empty), pDataInicial and pDataFinal (short dates).
//
// Movement types: 0 acquisition, 1 out to a property, 2 back from one,
// 3 write-off. A sign whose latest movement is of type 4 is not listed; of a
// sign with type-4 movements only the movements after the latest of them are
// listed. Sums before the period count every movement before the first day.
//
// Six queries for the whole run; per sign the movements and the four sums are
// reached through ranges on client-side indexes. A failed query releases
// every dataset and its error goes on to the host unchanged.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

class TSignMovementReport : public printworks::TnrwBaseDll {
 public:
  struct TRecPlaca {
    int CodigoPlaca = 0;
    std::string DescrPlaca;
    double SaldoPerdidos = 0;     // units written off in the period
    double SaldoImoveis = 0;      // units on properties
    double SaldoImobiliaria = 0;  // units at the agency
    double SaldoTotal = 0;
  };
  struct TRecImovel {
    int CodigoImovel = 0;
    std::string DescrMovimentacao;  // the movement's remark
    std::string DescrImovel;        // the property text
    vcl::TDateTime DataMvto = 0;
    double Saida = 0;    // units out on this line
    double Entrada = 0;  // units in on this line
    double Saldo = 0;    // running units at the agency
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TSignMovementReport() override;

  static std::string Versao();
  void ImprimirInterno() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  // The report does not react to its parameter form.
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamEnter(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamExit(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;

 private:
  // Queries and parameters.
  void CarregarParametros();
  void caregarDados();
  std::string SQLPlaca();
  std::string SQLPlacaMovimento();
  std::string SQLEmpresa();
  std::string SQLSaldo(int tipo);
  void FiltrarMovimentos();
  void LiberarDados();

  // Printing.
  void imprimirNomeEmpresa();
  void ImprimirSaldoAnterior();
  void SetDadosPlaca();
  void ImprimirMovimentos();
  void ImprimirSaldoPlaca();
  void LimparParametros();
  void ImprimirTotal();

  int FCodigoEscrit = 0;
  std::string FCodigoImovel;
  std::string FCodigoPlaca;
  vcl::TDateTime FDataInicial = 0;
  vcl::TDateTime FDataFinal = 0;
  TRecPlaca FPlaca;
  TRecImovel FImovel;
  double FSaida = 0;
  double FEntrada = 0;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsPlaca;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsPlacaMovimento;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsSaldoSaida;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsSaldoEntrada;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsSaldoAquisicao;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsSaldoBaixa;
};

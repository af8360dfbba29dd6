// TOwnerPropertiesReport: each owner with the properties it is responsible
// for, one sale or rent line (section 8) per negotiation of the property. The
// owner's name shows on the first line of its block; section 9 separates the
// blocks.
#pragma once

#include <memory>
#include <string>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"

class TOwnerPropertiesReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao();
  void ImprimirInterno() override;

 private:
  void caregarDados();
  // 0 (also blank or not a number): owner, property; 1: owner name; 2:
  // property; 3: address; anything else: the database's order.
  void ordenar();
  void imprimirNomeEmpresa();
  // The lines of the current row; `novo_proprietario` starts an owner block.
  void ImprimirImovel(bool novo_proprietario);
  void ImprimirLinha(const char* negocio, const char* coluna_valor);
  static std::string DescricaoTipoImovel(int tipo);

  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
};

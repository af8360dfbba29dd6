// TPropertyInsuranceReport: the insurance policies of the office's
// properties whose cover ends inside a date window (both ends included), one
// line (section 8) per policy, in one of four orderings.
#pragma once

#include <memory>
#include <string>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"

class TPropertyInsuranceReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao();
  void ImprimirInterno() override;

  // Runs the policy query for the window and the property selection. A date
  // that does not convert raises before any query runs.
  void caregarDados();
  void imprimirNomeEmpresa();
  // 0 (also blank or not a number): insurer code; 1: insurer name; 2: property
  // code; 3: address; anything else: the database's order.
  void ordenar();
  // Sets the line's printed values and prints section 8.
  void imprimirD0();

 private:
  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
};

// TPersonListReport: the register of persons grouped by the role group each
// belongs to, one line per person and group with the person's first contact.
// Sections: 8 once at the top, 11 between groups, 9 group heading (none for
// group 0), 10 person line.
#pragma once

#include <memory>
#include <string>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"

class TPersonListReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao();
  void ImprimirInterno() override;

 private:
  void caregarDados();
  // pOrdenar must be an integer (an empty text included raises): 0 group and
  // code, 1 group and name, anything else the query's order.
  void ordenar();
  void ImprimirGrupo(bool primeira);
  void ImprimirPessoa(bool primeira);
  static std::string DescricaoTipo(int tipo);
  static std::string DescricaoContato(int tipo, const std::string& valor);

  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
  int FOldPessoa = 0;
};

#include "host/entityworks/placa.h"

namespace entityworks {

std::string TnPlaca::MontarDescricaoPlaca() const {
  if (Referencia.empty()) return DescricaoTipo;
  return Referencia + " | " + DescricaoTipo;
}

}  // namespace entityworks

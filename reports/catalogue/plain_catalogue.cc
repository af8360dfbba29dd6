#include "reports/catalogue/plain_catalogue.h"

#include "host/vcl/convert.h"

namespace catalogue {

void AplicarOrdem(vcl::TClientDataSet& data_set, const std::string& p_ordenar,
                  const CatalogueOrderings& orderings) {
  const int valor = vcl::StrToIntDef(p_ordenar, 0);
  if (valor == -1) {
    data_set.SetIndexFieldNames("");
    return;
  }
  if (valor < 0 || valor >= static_cast<int>(orderings.por_valor.size())) return;
  if (const char* campos = orderings.por_valor[valor]) {
    data_set.SetIndexFieldNames(campos);
  }
}

}  // namespace catalogue

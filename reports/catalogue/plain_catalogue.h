// The plain catalogue listings: each prints the host's DataSet, one section 8
// per row, in the order that pOrdenar picks from the listing's own table of
// index field lists. The eight listings differ only in that table, so the
// behaviour lives here once and each deliverable supplies its table.
#pragma once

#include <array>
#include <string>

#include "frame/listing_loop.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/client_dataset.h"

namespace catalogue {

// Index field lists for pOrdenar = 0, 1, 2; nullptr where the listing has no
// ordering for that value.
struct CatalogueOrderings {
  std::array<const char*, 3> por_valor;
};

// Applies the pOrdenar text to `data_set`: an empty or non-integer text counts
// as 0; -1 removes any index; a value with an entry sets that index; any other
// value leaves the order as it is.
void AplicarOrdem(vcl::TClientDataSet& data_set, const std::string& p_ordenar,
                  const CatalogueOrderings& orderings);

// Report class of a plain catalogue listing with the given orderings.
template <const CatalogueOrderings& kOrderings>
class TPlainCatalogueReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao() { return "[versao: 1.1.85.0]"; }

  void ImprimirInterno() override {
    ImprimirListagem(*this, 8, [this] { Ordenar(); });
  }

  // The form events do nothing in these listings.
  void DoParamChange(vcl::TObject*, printworks::TnpqParamItem*) override {}
  void DoParamEnter(vcl::TObject*, printworks::TnpqParamItem*) override {}
  void DoParamExit(vcl::TObject*, printworks::TnpqParamItem*) override {}

  void Ordenar() { AplicarOrdem(*DataSet(), RepParam("pOrdenar"), kOrderings); }
};

}  // namespace catalogue

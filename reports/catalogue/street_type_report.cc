// StreetTypeReport: the street types, by code or by description. Its form
// opens with no ordering (-1) preselected, so it prints in query order unless
// the user picks another.
#include "frame/nrw_base_dll_reg.h"
#include "host/vcl/convert.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"CODIGOTIPOLOGRADORO", "DSTIPOLOGRADORO", nullptr}};
}  // namespace

class TStreetTypeReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;

  void DepoisConfigurar(printworks::TWinControl* _AParent) override {
    TPlainCatalogueReport::DepoisConfigurar(_AParent);
    if (auto* controle = Report()->GetParams().EdFindFieldControl("pOrdenar")) {
      controle->SetText(vcl::IntToStr(-1));
    }
  }
};

NRW_REGISTER_REPORT(TStreetTypeReport);

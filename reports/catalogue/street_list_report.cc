// StreetListReport: the streets, by code or by name.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"CODIGOLOGRADORO", "NOMELOGRADORO", nullptr}};
}  // namespace

class TStreetListReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;
};

NRW_REGISTER_REPORT(TStreetListReport);

// CountryListReport: the countries, by code or by name.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"CODIGOPAIS", "NOMEPAIS", nullptr}};
}  // namespace

class TCountryListReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;
};

NRW_REGISTER_REPORT(TCountryListReport);

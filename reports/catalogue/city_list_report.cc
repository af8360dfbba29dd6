// CityListReport: the municipalities, by code, by name or by state and name.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"CODIGOMUNICIPIO", "NOMEMUNIC", "SIGLAESTADO;NOMEMUNIC"}};
}  // namespace

class TCityListReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;
};

NRW_REGISTER_REPORT(TCityListReport);

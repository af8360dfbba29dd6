// StateListReport: the states, by country and abbreviation or by abbreviation.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"NOMEPAIS;SIGLAESTADO", "SIGLAESTADO", nullptr}};
}  // namespace

class TStateListReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;
};

NRW_REGISTER_REPORT(TStateListReport);

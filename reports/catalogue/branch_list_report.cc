// BranchListReport: the bank agencies, by bank code only.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/plain_catalogue.h"

namespace {
constexpr catalogue::CatalogueOrderings kOrdenacoes{{"CODIGOBANCO", nullptr, nullptr}};
}  // namespace

class TBranchListReport final : public catalogue::TPlainCatalogueReport<kOrdenacoes> {
 public:
  using TPlainCatalogueReport::TPlainCatalogueReport;
};

NRW_REGISTER_REPORT(TBranchListReport);

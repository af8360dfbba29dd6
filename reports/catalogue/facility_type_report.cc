// FacilityTypeReport: the infrastructure types, narrowed by code.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/detail_catalogue.h"

namespace {
constexpr catalogue::DetailCatalogue kTabela{
    "SELECT IE.CODIGOTPINFRAEST, IE.TIPOINFRAESTRU, IE.DSINFRAESTRU FROM TPINFRAESTRU IE WHERE 1=1 ",
    {{{"pTipoInfraestrutura", "IE.CODIGOTPINFRAEST"}, {}}},
    {"CODIGOTPINFRAEST", "DSINFRAESTRU"},
    {{{"pInfraestrutura", "CODIGOTPINFRAEST"},
      {"pCategoria", "TIPOINFRAESTRU"},
      {"pDescricao", "DSINFRAESTRU"}}},
    {"Segurança", "Lazer", "Benfeitoria", "Edifício/Condomínio/Loteamento", nullptr, nullptr,
     nullptr}};
}  // namespace

class TFacilityTypeReport final : public catalogue::TDetailCatalogueReport<kTabela> {
 public:
  using TDetailCatalogueReport::TDetailCatalogueReport;
};

NRW_REGISTER_REPORT(TFacilityTypeReport);

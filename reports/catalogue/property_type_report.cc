// PropertyTypeReport: the property types, narrowed by code and by category.
#include "frame/nrw_base_dll_reg.h"
#include "reports/catalogue/detail_catalogue.h"

namespace {
constexpr catalogue::DetailCatalogue kTabela{
    "SELECT TI.CODIGOTPIMOVEL, TI.TIPOIMOVEL, TI.DSTPIMOVEL FROM TPIMOVEL TI WHERE 1=1 ",
    {{{"pCodigoTipoImovel", "TI.CODIGOTPIMOVEL"}, {"pCodigoCategorias", "TI.TIPOIMOVEL"}}},
    {"CODIGOTPIMOVEL", "DSTPIMOVEL"},
    {{{"pTipoImovel", "CODIGOTPIMOVEL"}, {"pCategoria", "TIPOIMOVEL"}, {"pDescricao", "DSTPIMOVEL"}}},
    {"Casa e Sobrado", "Apartamento", "Comercial/Industrial", "Terreno", "Rural", nullptr, nullptr}};
}  // namespace

class TPropertyTypeReport final : public catalogue::TDetailCatalogueReport<kTabela> {
 public:
  using TDetailCatalogueReport::TDetailCatalogueReport;
};

NRW_REGISTER_REPORT(TPropertyTypeReport);

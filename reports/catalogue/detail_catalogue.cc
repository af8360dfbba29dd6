#include "reports/catalogue/detail_catalogue.h"

namespace catalogue {

std::string TextoCategoria(const std::array<const char*, 7>& categorias, int codigo) {
  if (codigo < 0 || codigo >= static_cast<int>(categorias.size())) return "";
  const char* texto = categorias[codigo];
  return texto ? texto : "";
}

void ImprimirLinha(printworks::TnrwReport& report, vcl::TClientDataSet& cds,
                   const std::array<ValorImpresso, 3>& linha,
                   const std::array<const char*, 7>& categorias) {
  auto& params = report.GetParams();
  params.SetValues(linha[0].parametro, cds.FieldByName(linha[0].coluna).AsString());
  params.SetValues(linha[1].parametro,
                   TextoCategoria(categorias, cds.FieldByName(linha[1].coluna).AsInteger()));
  params.SetValues(linha[2].parametro, cds.FieldByName(linha[2].coluna).AsString());
  report.RepPrintSection(8);
}

}  // namespace catalogue

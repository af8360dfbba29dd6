// The catalogue listings that run their own query: the selection parameters
// narrow it with interval filters, a category code becomes a fixed text, and
// each line sets three printed values before section 8 prints.
//
// FacilityTypeReport and PropertyTypeReport share everything but their table
// (TDetailCatalogueReport); RoomListReport reads its selection and ordering
// differently and uses the pieces below directly.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/sql.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/convert.h"

namespace catalogue {

// A selection parameter and the column it restricts.
struct Selecao {
  const char* parametro = nullptr;
  const char* coluna = nullptr;
};

// The three printed values of a line: parameter name and source column.
struct ValorImpresso {
  const char* parametro;
  const char* coluna;
};

struct DetailCatalogue {
  const char* sql_base;
  std::array<Selecao, 2> selecoes;           // in the order their fragments are appended
  std::array<const char*, 2> ordenacoes;     // index fields for pOrdenar 0 and 1
  std::array<ValorImpresso, 3> linha;        // code, category, description
  std::array<const char*, 7> categorias;     // category texts by code; nullptr: none
};

// The category text of `codigo`, empty when the table has none.
std::string TextoCategoria(const std::array<const char*, 7>& categorias, int codigo);

// Sets the three printed values of the current row of `cds`, then prints
// section 8.
void ImprimirLinha(printworks::TnrwReport& report, vcl::TClientDataSet& cds,
                   const std::array<ValorImpresso, 3>& linha,
                   const std::array<const char*, 7>& categorias);

template <const DetailCatalogue& kTabela>
class TDetailCatalogueReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao() { return "[versao: 1.1.85.0]"; }

  void ImprimirInterno() override {
    caregarDados();
    dataworks::LiberarAoSair liberar(FCDS);
    if (FCDS->IsEmpty()) return;
    ordenar();
    const int total = FCDS->RecordCount();
    FCDS->First();
    int n = 0;
    while (!FCDS->Eof()) {
      imprimirD0();
      ++n;
      Report()->CSLShowProgress(n, total);
      FCDS->Next();
    }
  }

 private:
  void caregarDados() {
    std::string sql = kTabela.sql_base;
    for (const Selecao& selecao : kTabela.selecoes) {
      if (selecao.parametro == nullptr) continue;
      dataworks::AcrescentarFiltroIntervalo(sql, selecao.coluna, RepParam(selecao.parametro));
    }
    FCDS = dataworks::ExecutarSQL(sql, {}, true, false, -1, "", nullptr, true);
  }

  void ordenar() {
    const int valor = vcl::StrToIntDef(RepParam("pOrdenar"), 0);
    if (valor == 0 || valor == 1) FCDS->SetIndexFieldNames(kTabela.ordenacoes[valor]);
  }

  void imprimirD0() { ImprimirLinha(*Report(), *FCDS, kTabela.linha, kTabela.categorias); }

  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
};

}  // namespace catalogue

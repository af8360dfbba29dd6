// TPropertyListReport: the agency's properties grouped by property type, one
// detail line per property and responsible owner with its sale and rent
// values, a total line per type group, a grand total and, on request, the
// number of lines per type. On the parameter form it keeps the write-off date
// range and the sale and rent value ranges consistent with the write-off and
// negotiation choices (DoParamChange).
//
// Sections: 8 type group header, 9 detail line, 10 after a group's total,
// 11 total and summary lines, 12 before the grand total and the summary.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"
#include "host/printworks/cabecalho.h"

// The caption of one printed type group and the lines printed in it.
struct TotalizadorTipoImovel {
  std::string TipoImovel;
  int Quantidade = 0;
};
using ArrayTotalizadorTipoImovel = std::vector<TotalizadorTipoImovel>;

class TPropertyListReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao();
  void ImprimirInterno() override;
  // Reacts to edits of pBaixado and pNegociacao; other parameters change
  // nothing. A control missing from the form is skipped.
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;

  // Builds the listing query from the filter parameters and runs it into FCDS.
  void caregarDados();
  // pNomeEmpresa: the office's name.
  void imprimirNomeEmpresa();
  // Orders FCDS inside the type groups by pOrdenar (1 to 6); a non-blank text
  // that is not an integer raises the conversion error.
  void ordenar();
  // Type group header: sets pTipoimovel from TIPOIMOVEL (0 to 4; any other
  // code keeps the previous caption) and prints section 8.
  void imprimirD0();
  // Prints the standard header after section 1 when a header object is held.
  // Nothing installs it as a handler.
  void DoAfterSection(vcl::TObject* Sender, int Section);
  // Opens (_ATipo true) or closes the two controls of the range named by
  // _ACampo: "pBaixado", "pNegociacao1" or "pNegociacao2" (case counts).
  void MudarEnableCampo(const std::string& _ACampo, bool _ATipo);

 private:
  // One printing run's counts and sums.
  struct Totais {
    int quantidade_grupo = 0;
    int quantidade_total = 0;
    double venda_grupo = 0;
    double locacao_grupo = 0;
    double venda_total = 0;
    double locacao_total = 0;
    ArrayTotalizadorTipoImovel por_tipo;
  };

  void ImprimirTotalTipo(Totais& totais);
  void ImprimirTotalGeral(Totais& totais);
  void EsvaziarCampo(const std::string& name);

  printworks::TnCabecalhoRelatorio* FCabecalho = nullptr;  // not owned
  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
};

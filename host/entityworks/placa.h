// The sign-stock figures that the balance object hands to reports: a list of
// signs, each with its balances and the property lines that hold its units.
//
// These are plain values. The list belongs to the balance object that made
// it (TnBalancetePlacaImovel); a report only reads it and keeps pointers into
// it while that object lives.
#pragma once

#include <string>
#include <vector>

namespace entityworks {

// One property holding units of a sign at the base date.
class TnPlacaImovel {
 public:
  int CodigoImovel = 0;
  int Saida = 0;            // units sent out to the property (type-1 movements)
  int Entrada = 0;          // units that came back from it (type-2 movements)
  std::string DescrImovel;  // property type and address, e.g. "Casa - Rua X, 10 - Centro - Cidade/SP"
};

// One sign with its balances at the base date.
class TnPlaca {
 public:
  int CodigoPlaca = 0;
  std::string Referencia;      // empty when the sign has none
  std::string DescricaoTipo;   // the sign type's description
  int SaldoImoveis = 0;        // sum of Saida - Entrada over Imoveis
  int SaldoImobiliaria = 0;    // SaldoTotal - SaldoImoveis
  int SaldoTotal = 0;          // the sign's present total stock (PLACA.SALDOTOTAL)
  std::vector<TnPlacaImovel> Imoveis;  // in property-code order

  // REFERENCIA, " | " and the type's description; only the description when
  // the sign has no reference.
  std::string MontarDescricaoPlaca() const;
};

// The signs of one balance, in sign-code order.
class TnListaPlaca {
 public:
  std::vector<TnPlaca> Placas;
};

}  // namespace entityworks

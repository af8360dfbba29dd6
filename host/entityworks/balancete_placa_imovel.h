// The sign balance by property of one office at a base date.
//
//   entityworks::TnBalancetePlacaImovel balancete;
//   balancete.FiltroPlaca = "1-5";      // selection text on the sign code
//   balancete.FiltroImovel = "";        // selection text on the property code
//   TnListaPlaca* lista = balancete.GerarLancamentos(1, data_base);
//
// GerarLancamentos lists the office's signs, in sign-code order, narrowed by
// FiltroPlaca, that have at least one movement dated on or before the base
// date (at one of the properties FiltroImovel selects, when it is not empty).
// Each sign's property lines are the properties with a code above 0, in
// property-code order, that have movements of type 1 (out to the property)
// or 2 (back from it) up to the base date: Saida sums QUANTIDADE of type 1,
// Entrada of type 2. FiltroImovel picks signs only; it does not hide property
// lines, so that the sign's balances stay whole. SaldoImoveis is the sum of
// Saida - Entrada over the lines, SaldoTotal the sign's PLACA.SALDOTOTAL and
// SaldoImobiliaria their difference. Total is the sum of SaldoTotal over the
// listed signs. Quantities are rounded to whole units.
//
// It reads the database with three queries for the whole office (signs,
// per-property sums, property descriptions), whatever the number of signs.
// Selection texts follow the host's grammar ("1-5; 8"); a malformed one
// raises "Seleção inválida..." and an engine error passes on unchanged; on
// a failure the previous list and Total are left as they were.
//
// The returned list is owned by this object and stays valid until the next
// GerarLancamentos or the object's end.
#pragma once

#include <memory>
#include <string>

#include "host/entityworks/placa.h"
#include "host/vcl/datetime.h"

namespace entityworks {

class TnBalancetePlacaImovel {
 public:
  TnBalancetePlacaImovel();
  ~TnBalancetePlacaImovel();
  TnBalancetePlacaImovel(const TnBalancetePlacaImovel&) = delete;
  TnBalancetePlacaImovel& operator=(const TnBalancetePlacaImovel&) = delete;

  std::string FiltroPlaca;   // selection text on CODIGOPLACA; empty for all
  std::string FiltroImovel;  // selection text on CODIGOIMOVEL; empty for all
  double Total = 0;          // sum of SaldoTotal over the last list's signs

  TnListaPlaca* GerarLancamentos(int codigo_escrit, vcl::TDateTime data_base);

 private:
  std::unique_ptr<TnListaPlaca> lista_;
};

}  // namespace entityworks

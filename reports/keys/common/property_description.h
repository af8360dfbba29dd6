// The property description line of the key reports: the property code and
// its address on one upper-case line, as the receipt and the movement ledger
// print it above a property's keys.
//
//   00042 APARTAMENTO RUA DAS FLORES, 100 - CENTRO - SÃO PAULO/SP
//
// A movement without a property (code 0 or less) gets the empty line. The
// street address's complement is used; the property's own complement is not.
#pragma once

#include <string>

#include "host/vcl/client_dataset.h"

namespace keys {

// The pieces of the line, each as the query returns it (empty when null).
struct TEnderecoImovel {
  int codigo_imovel = 0;
  std::string tipo;         // DSTPIMOVEL
  std::string endereco;     // ENDERECO1
  std::string numero;       // NRENDERECO
  std::string complemento;  // COMPLEMENTO (of the street address)
  std::string bairro;       // NOMEBAIRRO
  std::string municipio;    // NOMEMUNICIPIO
  std::string uf;           // SIGLAESTADO
};

std::string MontarDescrImovel(const TEnderecoImovel& endereco);

// The line of the current row of a dataset read through a field map that
// holds the columns above; a member without a column counts as empty.
template <class Map>
std::string MontarDescrImovel(const Map& map) {
  auto text = [](const vcl::TField* field) {
    return field ? field->AsString() : std::string();
  };
  TEnderecoImovel endereco;
  endereco.codigo_imovel = map.CODIGOIMOVEL ? map.CODIGOIMOVEL->AsInteger() : 0;
  endereco.tipo = text(map.DSTPIMOVEL);
  endereco.endereco = text(map.ENDERECO1);
  endereco.numero = text(map.NRENDERECO);
  endereco.complemento = text(map.COMPLEMENTO);
  endereco.bairro = text(map.NOMEBAIRRO);
  endereco.municipio = text(map.NOMEMUNICIPIO);
  endereco.uf = text(map.SIGLAESTADO);
  return MontarDescrImovel(endereco);
}

}  // namespace keys

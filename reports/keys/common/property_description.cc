#include "reports/keys/common/property_description.h"

#include "host/vcl/convert.h"
#include "host/vcl/strings.h"

namespace keys {

namespace {

// Appends prefix + value + suffix when the value is not empty.
void Anexar(std::string& linha, const char* prefix, const std::string& value,
            const char* suffix = "") {
  if (value.empty()) return;
  linha += prefix;
  linha += value;
  linha += suffix;
}

}  // namespace

std::string MontarDescrImovel(const TEnderecoImovel& e) {
  if (e.codigo_imovel <= 0) return std::string();
  std::string linha = vcl::FormatFloat("00000", e.codigo_imovel) + " ";
  Anexar(linha, "", e.tipo, " ");
  Anexar(linha, "", e.endereco);
  Anexar(linha, ", ", e.numero);
  Anexar(linha, " ", e.complemento);
  Anexar(linha, " - ", e.bairro);
  Anexar(linha, " - ", e.municipio);
  Anexar(linha, "/", e.uf);
  return vcl::AnsiUpperCase(linha);
}

}  // namespace keys

#include "reports/keys/common/property_description.h"

#include <gtest/gtest.h>

#include "host/vcl/format_settings.h"

namespace keys {
namespace {

TEnderecoImovel Flores() {
  TEnderecoImovel e;
  e.codigo_imovel = 42;
  e.tipo = "Apartamento";
  e.endereco = "Rua das Flores";
  e.numero = "100";
  e.bairro = "Centro";
  e.municipio = "São Paulo";
  e.uf = "SP";
  return e;
}

TEST(PropertyDescriptionTest, FullAddressIsUpperCasedWithAccents) {
  vcl::ResetFormatSettings();
  EXPECT_EQ(MontarDescrImovel(Flores()),
            "00042 APARTAMENTO RUA DAS FLORES, 100 - CENTRO - SÃO PAULO/SP");
}

TEST(PropertyDescriptionTest, EachPieceOnlyWhenPresent) {
  vcl::ResetFormatSettings();
  struct Case {
    const char* name;
    void (*edit)(TEnderecoImovel&);
    const char* expected;
  };
  const Case cases[] = {
      {"no property", [](TEnderecoImovel& e) { e.codigo_imovel = 0; }, ""},
      {"negative code", [](TEnderecoImovel& e) { e.codigo_imovel = -3; }, ""},
      {"only the code",
       [](TEnderecoImovel& e) { e = TEnderecoImovel{}; e.codigo_imovel = 7; },
       "00007 "},
      {"complement after the number",
       [](TEnderecoImovel& e) { e.complemento = "apto 12"; },
       "00042 APARTAMENTO RUA DAS FLORES, 100 APTO 12 - CENTRO - SÃO PAULO/SP"},
      {"no type, no number, no district",
       [](TEnderecoImovel& e) { e.tipo.clear(); e.numero.clear(); e.bairro.clear(); },
       "00042 RUA DAS FLORES - SÃO PAULO/SP"},
      {"long code keeps its digits",
       [](TEnderecoImovel& e) { e = TEnderecoImovel{}; e.codigo_imovel = 123456; e.uf = "rj"; },
       "123456 /RJ"},
  };
  for (const Case& c : cases) {
    TEnderecoImovel e = Flores();
    c.edit(e);
    EXPECT_EQ(MontarDescrImovel(e), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace keys

#include "host/toolworks/toolworks.h"

#include <gtest/gtest.h>

namespace toolworks {
namespace {

TEST(CapitalizeTest, EachWordFirstLetterUpper) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"SÃO PAULO", "São Paulo"},
      {"são josé dos campos", "São José Dos Campos"},
      {"ÁGUA  BRANCA", "Água  Branca"},
      {" rio de janeiro ", " Rio De Janeiro "},
      {"d'OESTE", "D'oeste"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Capitalize(c.text), c.expected) << c.text;
}

TEST(HashOfTest, EqualTextsEqualValues) {
  EXPECT_EQ(HashOf("MARIA DA SILVA"), HashOf(std::string("MARIA DA ") + "SILVA"));
  EXPECT_NE(HashOf("MARIA DA SILVA"), HashOf("MARIA DA SILVA "));
  EXPECT_EQ(HashOf(""), 2166136261u);
}

TEST(AddTest, AppendsWithSeparator) {
  std::string list;
  Add(list, "1", ", ", false);
  EXPECT_EQ(list, "1");
  Add(list, "2", ", ", false);
  Add(list, "2", ", ", false);
  EXPECT_EQ(list, "1, 2, 2");
}

}  // namespace
}  // namespace toolworks

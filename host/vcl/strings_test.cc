#include "host/vcl/strings.h"

#include <gtest/gtest.h>

namespace vcl {
namespace {

TEST(StringsTest, Trim) {
  EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(StringsTest, CaseMapping) {
  EXPECT_EQ(AnsiUpperCase("São Paulo"), "SÃO PAULO");
  EXPECT_EQ(AnsiUpperCase("ação çé"), "AÇÃO ÇÉ");
  EXPECT_EQ(AnsiLowerCase("ÁGUA"), "água");
  EXPECT_EQ(UpperAscii("abcé"), "ABCé");
  EXPECT_TRUE(SameText("CodigoEscrit", "CODIGOESCRIT"));
  EXPECT_FALSE(SameText("Codigo", "Codig"));
}

TEST(StringsTest, PaddingCountsCodePoints) {
  EXPECT_EQ(PadRight("São", 5), "São  ");
  EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
  EXPECT_EQ(Utf8Length("ação"), 4u);
}

TEST(StringsTest, Split) {
  EXPECT_EQ(Split("a;b;;c;", ";"), (std::vector<std::string>{"a", "b", "", "c", ""}));
  EXPECT_EQ(Split("", ";"), (std::vector<std::string>{""}));
}

TEST(StringsTest, InvalidUtf8ReadAsWindows1252) {
  EXPECT_EQ(ToValidUtf8("ok ação"), "ok ação");
  EXPECT_EQ(ToValidUtf8("S\xe3o \x80"), "São €");
  EXPECT_EQ(ToValidUtf8("\xc3"), "Ã");
  EXPECT_EQ(AnsiUpperCase("s\xe3o"), "SÃO");
}

}  // namespace
}  // namespace vcl

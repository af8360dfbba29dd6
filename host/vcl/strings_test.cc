#include "host/vcl/strings.h"

#include <string>

#include "host/vcl/format_settings.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

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

// Plain ASCII text takes a byte-by-byte path; it must give what the locale's
// case mapping gives, and Turkish keeps its dotted and dotless i.
TEST(StringsTest, AsciiCaseMappingMatchesLocale) {
  EXPECT_EQ(AnsiUpperCase("00012  casa - rua 7, apto 3/b {x}~"), "00012  CASA - RUA 7, APTO 3/B {X}~");
  EXPECT_EQ(AnsiLowerCase("RUA DAS FLORES, 10 - SP"), "rua das flores, 10 - sp");
  EXPECT_EQ(AnsiUpperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
  EXPECT_EQ(AnsiUpperCase(""), "");
  FormatSettings().Locale = "tr_TR";
  EXPECT_EQ(AnsiUpperCase("istanbul"), "\u0130STANBUL");
  EXPECT_EQ(AnsiLowerCase("ISPARTA"), "\u0131sparta");
  ResetFormatSettings();
  EXPECT_EQ(AnsiUpperCase("istanbul"), "ISTANBUL");
}

// Latin-1 letters take a byte-by-byte path too: every character from U+00A0
// to U+00FF, alone and inside a word, maps as ICU maps it in pt_BR, and in
// the locales with their own rules (Lithuanian Ì lower-cases with a dot).
TEST(StringsTest, Latin1CaseMappingMatchesIcu) {
  auto icu_case = [](const std::string& text, bool upper) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(text);
    const icu::Locale locale(FormatSettings().Locale.c_str());
    std::string out;
    (upper ? u.toUpper(locale) : u.toLower(locale)).toUTF8String(out);
    return out;
  };
  for (const char* locale : {"pt_BR", "lt_LT"}) {
    FormatSettings().Locale = locale;
    for (UChar32 cp = 0xA0; cp <= 0xFF; ++cp) {
      std::string ch;
      icu::UnicodeString(cp).toUTF8String(ch);
      for (const std::string& text : {ch, "rua " + ch + "X" + ch + "y"}) {
        EXPECT_EQ(AnsiUpperCase(text), icu_case(text, true)) << locale << " U+" << std::hex << cp;
        EXPECT_EQ(AnsiLowerCase(text), icu_case(text, false)) << locale << " U+" << std::hex << cp;
      }
    }
  }
  ResetFormatSettings();
  EXPECT_EQ(AnsiUpperCase("straße ÿ"), "STRASSE Ÿ");
  EXPECT_EQ(AnsiUpperCase("s\xc3"), "SÃ");  // a lone lead byte reads as Windows-1252
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

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "host/toolworks/toolworks.h"

namespace toolworks {
namespace {

TEST(RTFToTXTTest, Documents) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string expected;
  };
  const Case cases[] = {
      {"plain text passes through", "Sala com 2 quartos\r\nCozinha", "Sala com 2 quartos\r\nCozinha"},
      {"empty", "", ""},
      {"tables and paragraphs",
       "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}\r\n"
       "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
       "{\\stylesheet{\\s0 Normal;}}\r\n"
       "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\lang1046\\f0\\fs20 "
       "Im\\'f3vel em bom estado.\\par\r\nPintura \\b nova\\b0 .\\par\r\n}",
       "Imóvel em bom estado.\r\nPintura nova.\r\n"},
      {"line breaks and escapes", "{\\rtf1 a\\line b \\{x\\} c\\\\d\\tab e}", "a\r\nb {x} c\\d\te"},
      {"unicode with fallback", "{\\rtf1\\uc1 caf\\u233?\\u8364? fim}", "café€ fim"},
      {"uc2 fallback of two", "{\\rtf1\\uc2 \\u231\\'e7\\'e7 ok}", "ç ok"},
      {"negative unicode", "{\\rtf1 \\u-3913?}", "\xEF\x82\xB7"},
      {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
      {"code page 1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", "При"},
      {"ignored destination with star", "{\\rtf1 a{\\*\\unknown hidden}b}", "ab"},
      {"info group", "{\\rtf1{\\info{\\title T}{\\author A}}Texto}", "Texto"},
      {"field result kept",
       "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
      {"raw utf-8 text", "{\\rtf1 Inspe\xC3\xA7\xC3\xA3o}", "Inspeção"},
      {"raw windows-1252 byte", "{\\rtf1 Inspe\xE7\xE3o}", "Inspeção"},
      {"leading blanks before rtf", "  {\\rtf1 x}", "x"},
  };
  for (const Case& c : cases) EXPECT_EQ(RTFToTXT(c.rtf), c.expected) << c.name;
}

TEST(RTFToTXTTest, MalformedInputEndsTheText) {
  const std::string cases[] = {
      "{\\rtf1",
      "{\\rtf1 abc",
      "{\\rtf1 a}}}}b",
      "{\\rtf1 \\",
      "{\\rtf1 \\'",
      "{\\rtf1 \\'4",
      "{\\rtf1 \\'zz",
      "{\\rtf1 \\u",
      "{\\rtf1 \\u99999999999999999999?",
      "{\\rtf1 \\uc-5 \\u65 x}",
      "{\\rtf1 \\bin999999999 x}",
      "{\\rtf1 \\bin-1 x}",
      "{\\rtf1 \\ansicpg99999 \\'e9}",
      "{\\rtf1 \\ansicpg0 \\'e9}",
      "{\\rtf1 " + std::string(100000, '{') + "x",
      "{\\rtf1 \\" + std::string(5000, 'a') + "1234567890123456789012345 x}",
  };
  for (const std::string& rtf : cases) EXPECT_NO_THROW(RTFToTXT(rtf)) << rtf.substr(0, 40);
  EXPECT_EQ(RTFToTXT("{\\rtf1 a}}}}b"), "a");
  EXPECT_EQ(RTFToTXT("{\\rtf1 abc"), "abc");
}

TEST(RTFToTXTTest, RandomBytesNeverFail) {
  std::mt19937 rng(7);
  const std::string alphabet = "{}\\'*uc0123456789abcdefpar \r\n\xE9\xC3-?";
  for (int round = 0; round < 2000; ++round) {
    std::string rtf = "{\\rtf1 ";
    const int n = static_cast<int>(rng() % 200);
    for (int i = 0; i < n; ++i) rtf += alphabet[rng() % alphabet.size()];
    EXPECT_NO_THROW(RTFToTXT(rtf));
  }
}

}  // namespace
}  // namespace toolworks

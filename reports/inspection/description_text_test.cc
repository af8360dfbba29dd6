#include "reports/inspection/description_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inspection {
namespace {

TEST(DecodificarTextoTest, FollowsTheByteOrderMarkElseUtf8WithWindows1252Fallback) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"plain UTF-8", "Sal\xC3\xA3o", "Sal\xC3\xA3o"},
      {"Windows-1252 bytes", "Sal\xE3o \x93ok\x94", "Sal\xC3\xA3o \xE2\x80\x9Cok\xE2\x80\x9D"},
      {"UTF-8 mark dropped", "\xEF\xBB\xBF" "a\xC3\xA7" "b", "a\xC3\xA7" "b"},
      {"UTF-16 LE", std::string("\xFF\xFE" "a\0\xE7\0", 6), "a\xC3\xA7"},
      {"UTF-16 BE", std::string("\xFE\xFF\0a\0\xE7", 6), "a\xC3\xA7"},
      {"UTF-16 LE surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6),
       "\xF0\x9F\x98\x80"},
      {"UTF-16 odd trailing byte", std::string("\xFF\xFE" "a\0b", 5), "a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodificarTexto(c.bytes), c.text) << c.what;
  }
}

TEST(LinhasTest, SplitAtAnyBreakAndJoinWithCrLf) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"\r\n", {""}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DividirLinhas(c.text), c.lines) << c.text;
  }
  EXPECT_EQ(JuntarLinhas({}), "");
  EXPECT_EQ(JuntarLinhas({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

}  // namespace
}  // namespace inspection

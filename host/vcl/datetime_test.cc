#include "host/vcl/datetime.h"

#include <gtest/gtest.h>

#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"
#include "host/vcl/variant.h"

namespace vcl {
namespace {

class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(DateTimeTest, DaysSinceThe1899Epoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  int y, m, d;
  DecodeDate(45000.75, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20230315);
  int h, n, s, ms;
  DecodeTime(EncodeDate(2021, 3, 5) + EncodeTime(13, 45, 30, 250), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 134530250);
  EXPECT_THROW(EncodeDate(2021, 2, 29), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
}

TEST_F(DateTimeTest, Formatting) {
  const TDateTime t = EncodeDate(2021, 3, 5) + EncodeTime(9, 7, 3, 0);
  EXPECT_EQ(DateToStr(t), "05/03/2021");
  EXPECT_EQ(DateTimeToStr(t), "05/03/2021 09:07:03");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2021, 3, 5)), "05/03/2021");
  struct Case {
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"mmmm", "março"},
      {"d 'de' mmmm 'de' yyyy", "5 de março de 2021"},
      {"dd/mm/yy", "05/03/21"},
      {"mmm/yyyy", "mar/2021"},
      {"dddd", "sexta-feira"},
      {"hh:nn:ss", "09:07:03"},
      {"h:mm", "9:07"},
      {"\"Data:\" dd/mm", "Data: 05/03"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, t), c.expected) << c.pattern;
  EXPECT_EQ(VarToStr(DateTimeValue{EncodeDate(2020, 12, 31)}), "31/12/2020");
}

TEST_F(DateTimeTest, ParsingShortDates) {
  struct Case {
    const char* text;
    int y, m, d;
  };
  const Case cases[] = {
      {"05/03/2021", 2021, 3, 5}, {"5/3/2021", 2021, 3, 5}, {" 31/12/1999 ", 1999, 12, 31},
      {"01/01/49", 2049, 1, 1},   {"01/01/50", 1950, 1, 1}, {"29/02/2024", 2024, 2, 29},
  };
  for (const Case& c : cases) EXPECT_EQ(StrToDate(c.text), EncodeDate(c.y, c.m, c.d)) << c.text;
  for (const char* bad : {"", "abc", "32/01/2021", "29/02/2023", "01/13/2021", "2021-03-05",
                          "05/03/2021 10:00", "05/03", "1/2/3/4"}) {
    TDateTime v;
    EXPECT_FALSE(TryStrToDate(bad, v)) << bad;
  }
  EXPECT_EQ(StrToDateDef("x", 7), 7);
  try {
    StrToDate("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' não é uma data válida");
  }
}

TEST_F(DateTimeTest, OtherShortDateFormats) {
  FormatSettings().ShortDateFormat = "yyyy-mm-dd";
  FormatSettings().DateSeparator = '-';
  EXPECT_EQ(StrToDate("2021-03-05"), EncodeDate(2021, 3, 5));
  EXPECT_EQ(DateToStr(EncodeDate(2021, 3, 5)), "2021-03-05");
}

}  // namespace
}  // namespace vcl

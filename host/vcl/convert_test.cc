#include "host/vcl/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "host/vcl/decimal.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"

namespace vcl {
namespace {

class ConvertTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(ConvertTest, NumberPictures) {
  struct Case {
    const char* picture;
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {"0000", 7, "0007"},
      {"0000", 12345, "12345"},
      {"00000", 42, "00042"},
      {"0000", -7, "-0007"},
      {"0000", 2.5, "0003"},           // halves away from zero
      {"0000", -2.5, "-0003"},
      {"#,##0.00", 2.675, "2,68"},     // rounded as written, not as stored
      {"#,##0.00", 1.005, "1,01"},
      {"#,##0.00", 1234567.891, "1.234.567,89"},
      {"#,##0.00", 0, "0,00"},
      {"#,##0.00", -1234.5, "-1.234,50"},
      {"#,##0.00", -0.001, "0,00"},    // rounds to zero: no sign
      {"#,##0.00", 999.995, "1.000,00"},
      {"##,###,##0.00", 12345678.9, "12.345.678,90"},
      {"##,###,##0.00", 0.5, "0,50"},
      {"#.##", 0.5, ",5"},
      {"#.##", 3, "3"},
      {"0.0#", 1.2, "1,2"},
      {"0.0#", 1.234, "1,23"},
      {"0", 1e17, "100000000000000000"},
      {"#,##0.00", 1e20, "1E20"},  // too large for a picture: general form
      {"R$ #,##0.00", 10, "R$ 10,00"},
      {"R$ #,##0.00", -10, "-R$ 10,00"},
      {"0.00 'kg'", 1.5, "1,50 kg"},
      {"0.00;(0.00)", -3, "(3,00)"},
      {"0.00;(0.00);'zero'", 0, "zero"},
      {"0.00;(0.00);'zero'", 0.001, "zero"},
      {"", 2.5, "2,5"},
      {"0.00E+00", 12345, "1,23E+04"},
      {"0.00E+00", 0.000123, "1,23E-04"},
      {"0.00E-00", 12345, "1,23E04"},
      {"00.0E+0", 12345, "12,3E+3"},
      {"0.0E+00", 9.96, "1,0E+01"},
      {"0.0E+00", 0, "0,0E+00"},
      {"0.00E+00", -12345, "-1,23E+04"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
  }
}

TEST_F(ConvertTest, PicturesFollowTheSettings) {
  FormatSettings().DecimalSeparator = ".";
  FormatSettings().ThousandSeparator = ",";
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
  EXPECT_EQ(FloatToStr(2.5), "2.5");
}

TEST_F(ConvertTest, GeneralNumberForm) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {2.5, "2,5"},
      {3, "3"},
      {0.1 + 0.2, "0,3"},
      {-0.0, "0"},
      {0, "0"},
      {-1.75, "-1,75"},
      {1e15, "1000000000000000"},
      {123456789012.5, "123456789012,5"},
      {1.0 / 3, "0,333333333333333"},
      {0.0001, "0,0001"},
      {0.00001, "1E-5"},
      {123456789012345678.0, "123456789012346000"},
      {1e20, "1E20"},
      {1.5e-7, "1,5E-7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.expected) << c.value;
}

TEST_F(ConvertTest, Integers) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -17 "), -17);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToIntDef("", 7), 7);
  EXPECT_EQ(StrToIntDef("12a", -1), -1);
  EXPECT_EQ(StrToIntDef("0012", -1), 12);
  for (const char* bad : {"", " ", "abc", "1,5", "2147483648", "-", "1 2", "$"}) {
    int v = 0;
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
  }
  EXPECT_EQ(IntToStr(-12), "-12");
}

TEST_F(ConvertTest, FloatsAndBooleans) {
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(StrToFloat(" -2 "), -2);
  EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500);
  double v;
  for (const char* bad : {"1.5", "1.000,5", "", ",", "abc", "1e"}) EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
  EXPECT_TRUE(StrToBool("TRUE"));
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("False"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_FALSE(StrToBool("0"));
  EXPECT_EQ(BoolToStr(true, true), "True");
}

TEST_F(ConvertTest, ErrorsNameTheText) {
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {[] { StrToInt("abc"); }, "'abc' não é um valor inteiro válido"},
      {[] { StrToInt64("1.5"); }, "'1.5' não é um valor inteiro válido"},
      {[] { StrToFloat("x1"); }, "'x1' não é um valor numérico válido"},
      {[] { StrToBool("talvez"); }, "'talvez' não é um valor booleano válido"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

// Whole numbers take a shortcut past printf; the digits and exponent must be
// those of the printf route, which rounds to the asked significant digits.
TEST(DecimalTest, WholeNumbersMatchThePrintfDigits) {
  auto reference = [](double value, int significant) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
      if (*p >= '0' && *p <= '9') mantissa += *p;
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    Decimal d;
    if (mantissa.empty()) return d;
    d.negative = std::signbit(value);
    d.digits = mantissa;
    d.exponent = std::atoi(p + 1) + 1;
    return d;
  };
  for (int significant : {15, 4, 1}) {
    for (double v : {0.0, -0.0, 1.0, -1.0, 7.0, 10.0, 100.0, 120.0, 999.0, 1000.0, 9999.0,
                     12345.0, -42000.0, 99999.0, 123456789012345.0, 999999999999999.0,
                     1e15, 1e16, 2.5, -0.5, 1234.5678}) {
      const Decimal fast = Decimal::FromDouble(v, significant);
      const Decimal slow = reference(v, significant);
      EXPECT_EQ(fast.negative, slow.negative) << v << " " << significant;
      EXPECT_EQ(fast.digits, slow.digits) << v << " " << significant;
      EXPECT_EQ(fast.exponent, slow.exponent) << v << " " << significant;
    }
  }
}

}  // namespace
}  // namespace vcl

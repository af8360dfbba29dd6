#include "host/vcl/convert.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <algorithm>
#include <vector>

#include "host/vcl/decimal.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"
#include "host/vcl/strings.h"

namespace vcl {

// ---- Decimal ----

Decimal Decimal::FromDouble(double value, int significant) {
  Decimal d;
  d.negative = std::signbit(value);
  // Whole numbers with no more digits than asked for (codes, counts, most
  // amounts) are exact: their digits come straight from the integer, which
  // is what the printf route below gives, at a fraction of its cost.
  const double magnitude = std::fabs(value);
  uint64_t limit = 1;
  for (int i = 0; i < std::min(significant, 15); ++i) limit *= 10;
  if (significant >= 1 && magnitude < static_cast<double>(limit) &&
      magnitude == std::trunc(magnitude)) {
    const uint64_t whole = static_cast<uint64_t>(magnitude);
    if (whole == 0) {
      d.negative = false;
      return d;
    }
    std::string text = std::to_string(whole);
    d.exponent = static_cast<int>(text.size());
    size_t end = text.size();
    while (end > 0 && text[end - 1] == '0') --end;
    text.resize(end);
    d.digits = std::move(text);
    return d;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
  // buf is "d.ddddde[+-]xx" (or "de[+-]xx" with one digit).
  std::string mantissa;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') mantissa += *p;
  }
  const int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
  size_t end = mantissa.size();
  while (end > 0 && mantissa[end - 1] == '0') --end;
  mantissa.resize(end);
  if (mantissa.empty()) {
    d.negative = false;
    return d;
  }
  d.digits = mantissa;
  d.exponent = exp10 + 1;
  return d;
}

void Decimal::RoundToDecimals(int decimals) {
  if (digits.empty()) return;
  const long keep = static_cast<long>(exponent) + decimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<long>(digits.size())) {
    const bool round_up = digits[keep] >= '5';
    digits.resize(keep);
    if (round_up) {
      long i = keep - 1;
      while (i >= 0 && digits[i] == '9') {
        digits[i] = '0';
        --i;
      }
      if (i >= 0) {
        ++digits[i];
      } else {
        digits.insert(digits.begin(), '1');
        ++exponent;
      }
    }
    size_t end = digits.size();
    while (end > 0 && digits[end - 1] == '0') --end;
    digits.resize(end);
  }
  if (digits.empty()) negative = false;
}

// ---- Integers ----

namespace {

[[noreturn]] void RaiseNotInteger(const std::string& text) {
  throw EConvertError("'" + text + "' não é um valor inteiro válido");
}

bool ParseInt64(const std::string& text, int64_t min, int64_t max, int64_t& value) {
  const std::string s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? static_cast<uint64_t>(-(min + 1)) + 1 : static_cast<uint64_t>(max);
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

}  // namespace

bool TryStrToInt(const std::string& text, int& value) {
  int64_t v;
  if (!ParseInt64(text, INT_MIN, INT_MAX, v)) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& text) {
  int value;
  if (!TryStrToInt(text, value)) RaiseNotInteger(text);
  return value;
}

int64_t StrToInt64(const std::string& text) {
  int64_t value;
  if (!ParseInt64(text, INT64_MIN, INT64_MAX, value)) RaiseNotInteger(text);
  return value;
}

int StrToIntDef(const std::string& text, int fallback) {
  int value;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

// ---- Floats ----

bool TryStrToFloat(const std::string& text, double& value) {
  const std::string s = Trim(text);
  const std::string& sep = FormatSettings().DecimalSeparator;
  // Rewrite into the C form "[-]digits[.digits][e[-]digits]", checking the
  // grammar on the way.
  std::string c;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) c += s[i++];
  size_t mantissa_digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    c += s[i++];
    ++mantissa_digits;
  }
  if (!sep.empty() && s.compare(i, sep.size(), sep) == 0) {
    c += '.';
    i += sep.size();
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      c += s[i++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    c += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) c += s[i++];
    size_t exponent_digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      c += s[i++];
      ++exponent_digits;
    }
    if (exponent_digits == 0) return false;
  }
  if (i != s.size()) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(c.c_str(), &end);
  if (end != c.c_str() + c.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

double StrToFloat(const std::string& text) {
  double value;
  if (!TryStrToFloat(text, value)) {
    throw EConvertError("'" + text + "' não é um valor numérico válido");
  }
  return value;
}

// ---- Booleans ----

bool TryStrToBool(const std::string& text, bool& value) {
  const std::string s = UpperAscii(Trim(text));
  if (s == "TRUE") {
    value = true;
    return true;
  }
  if (s == "FALSE") {
    value = false;
    return true;
  }
  double number;
  if (TryStrToFloat(text, number)) {
    value = number != 0;
    return true;
  }
  return false;
}

bool StrToBool(const std::string& text) {
  bool value;
  if (!TryStrToBool(text, value)) {
    throw EConvertError("'" + text + "' não é um valor booleano válido");
  }
  return value;
}

std::string BoolToStr(bool value, bool use_words) {
  if (use_words) return value ? "True" : "False";
  return value ? "-1" : "0";
}

// ---- The general number form ----

namespace {

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// Integer digits of a decimal (at least "0" when `at_least` is 1).
std::string IntegerDigits(const Decimal& d, size_t at_least) {
  std::string out;
  if (d.exponent > 0) {
    out = d.digits.substr(0, std::min<size_t>(d.digits.size(), d.exponent));
    out.append(d.exponent - out.size(), '0');
  }
  if (out.size() < at_least) out.insert(0, at_least - out.size(), '0');
  return out;
}

std::string FractionDigits(const Decimal& d) {
  if (d.exponent >= static_cast<int>(d.digits.size())) return "";
  if (d.exponent >= 0) return d.digits.substr(d.exponent);
  return std::string(-d.exponent, '0') + d.digits;
}

}  // namespace

std::string FloatToStr(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal d = Decimal::FromDouble(value);
  if (d.IsZero()) return "0";
  const std::string& sep = FormatSettings().DecimalSeparator;
  std::string out = d.negative ? "-" : "";
  // Plain text from 0,0001 up to 18 integer digits; beyond, scientific.
  if (d.exponent >= -3 && d.exponent <= 18) {
    out += IntegerDigits(d, 1);
    const std::string fraction = FractionDigits(d);
    if (!fraction.empty()) out += sep + fraction;
    return out;
  }
  out += d.digits[0];
  if (d.digits.size() > 1) out += sep + d.digits.substr(1);
  out += "E" + std::to_string(d.exponent - 1);
  return out;
}

// ---- Number pictures ----

namespace {

struct Picture {
  std::string prefix, suffix;  // literal text around the number
  int integer_min = 0;         // integer digits always shown
  int fraction_min = 0;        // fraction digits always shown
  int fraction_max = 0;        // fraction digits shown when significant
  bool grouping = false;
  bool has_digits = false;
  // Scientific pictures ("0.00E+00"): the mantissa keeps `integer_places`
  // integer digits and the exponent follows.
  bool scientific = false;
  char exponent_letter = 'E';
  bool exponent_sign_always = false;  // "E+" rather than "E-"
  int exponent_digits = 0;
  int integer_places = 0;
};

// Splits the picture on ';' outside quotes.
std::vector<std::string> SplitSections(const std::string& picture) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

Picture ParsePicture(const std::string& section) {
  Picture p;
  bool in_number = false, after_point = false, seen_zero = false;
  int integer_places_after_first_zero = 0, fraction_places = 0;
  std::string literal;  // literal text since the last placeholder
  char quote = 0;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (quote) {
      if (c == quote) {
        quote = 0;
      } else {
        literal += c;
      }
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
      continue;
    }
    if ((c == 'E' || c == 'e') && p.has_digits && !p.scientific && i + 1 < section.size() &&
        (section[i + 1] == '+' || section[i + 1] == '-')) {
      p.scientific = true;
      p.exponent_letter = c;
      p.exponent_sign_always = section[i + 1] == '+';
      i += 2;
      while (i < section.size() && section[i] == '0') {
        if (p.exponent_digits < 4) ++p.exponent_digits;
        ++i;
      }
      --i;
      literal.clear();
      continue;
    }
    const bool placeholder = !p.scientific && (c == '0' || c == '#' || c == '.' || c == ',');
    if (!placeholder) {
      literal += c;
      continue;
    }
    if (!in_number) {
      p.prefix = literal;
      in_number = true;
    }
    literal.clear();  // text between placeholders is dropped
    switch (c) {
      case '0':
      case '#':
        p.has_digits = true;
        if (after_point) {
          ++fraction_places;
          if (c == '0') p.fraction_min = fraction_places;
        } else {
          ++p.integer_places;
          if (c == '0') seen_zero = true;
          if (seen_zero) ++integer_places_after_first_zero;
        }
        break;
      case '.':
        after_point = true;
        break;
      case ',':
        if (!after_point) p.grouping = true;
        break;
    }
  }
  if (in_number) {
    p.suffix = literal;
  } else {
    p.prefix = literal;
  }
  p.integer_min = integer_places_after_first_zero;
  p.fraction_max = fraction_places;
  return p;
}

std::string Group(const std::string& digits, const std::string& separator) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

std::string Render(const Picture& p, Decimal d, bool with_sign, int exponent = 0) {
  if (!p.has_digits) return p.prefix + p.suffix;
  const TFormatSettings& fs = FormatSettings();
  std::string integer = IntegerDigits(d, p.integer_min);
  std::string fraction = FractionDigits(d);
  if (static_cast<int>(fraction.size()) < p.fraction_max) fraction.append(p.fraction_max - fraction.size(), '0');
  size_t keep = fraction.size();
  while (static_cast<int>(keep) > p.fraction_min && fraction[keep - 1] == '0') --keep;
  fraction.resize(keep);
  if (p.grouping) integer = Group(integer, fs.ThousandSeparator);
  // The platform writes the sign before everything, literal prefix included.
  std::string out = with_sign && d.negative ? "-" : "";
  out += p.prefix;
  out += integer;
  if (!fraction.empty()) out += fs.DecimalSeparator + fraction;
  if (p.scientific) {
    out += p.exponent_letter;
    if (exponent < 0) {
      out += '-';
    } else if (p.exponent_sign_always) {
      out += '+';
    }
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < p.exponent_digits) digits.insert(0, p.exponent_digits - digits.size(), '0');
    out += digits;
  }
  out += p.suffix;
  return out;
}

// The mantissa rounded to the picture's significant digits and shifted to
// its integer places; the exponent makes up the difference.
std::string RenderScientific(const Picture& p, Decimal d, bool with_sign) {
  const int significant = std::max(1, p.integer_places + p.fraction_max);
  int exponent = 0;
  if (!d.IsZero()) {
    d.RoundToDecimals(significant - d.exponent);
    exponent = d.exponent - p.integer_places;
    d.exponent = p.integer_places;
  }
  return Render(p, d, with_sign, exponent);
}

}  // namespace

std::string FormatFloat(const std::string& picture, double value) {
  if (picture.empty()) return FloatToStr(value);
  if (!std::isfinite(value)) return NonFinite(value);
  const std::vector<std::string> sections = SplitSections(picture);
  const bool negative_section = value < 0 && sections.size() >= 2 && !sections[1].empty();
  const std::string& chosen = negative_section ? sections[1] : sections[0];
  Picture p = ParsePicture(chosen);
  Decimal d = Decimal::FromDouble(value);
  if (p.scientific) return RenderScientific(p, d, !negative_section);
  // Beyond 18 integer digits the platform writes the general form instead.
  if (d.exponent > 18) return FloatToStr(value);
  d.RoundToDecimals(p.fraction_max);
  if (d.IsZero() && sections.size() >= 3 && !sections[2].empty()) {
    return Render(ParsePicture(sections[2]), d, false);
  }
  if (d.IsZero() && negative_section) {
    // Rounded to zero: no longer a negative number.
    p = ParsePicture(sections[0]);
  }
  return Render(p, d, !negative_section);
}

}  // namespace vcl

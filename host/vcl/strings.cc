#include "host/vcl/strings.h"

#include <initializer_list>
#include <optional>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "host/vcl/format_settings.h"

namespace vcl {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Length of the valid UTF-8 sequence at the start of `s`, 0 when invalid.
size_t ValidSequenceLength(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return 1;
  size_t len;
  uint32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2; min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3; min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4; min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < len) return 0;
  uint32_t cp = b0 & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

icu::UnicodeString ToUnicode(std::string_view text) {
  const std::string valid = ToValidUtf8(text);
  return icu::UnicodeString::fromUTF8(icu::StringPiece(valid.data(), static_cast<int32_t>(valid.size())));
}

std::string FromUnicode(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace

std::string TrimLeft(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return std::string(text.substr(begin));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

namespace {

// The language of a locale name ("pt_BR", "tr-TR", "lt@euro") is one of the
// given two-letter codes.
bool LocaleLanguageIn(std::string_view locale, std::initializer_list<std::string_view> langs) {
  for (std::string_view lang : langs) {
    if (locale.size() >= 2 && (locale[0] | 0x20) == lang[0] && (locale[1] | 0x20) == lang[1] &&
        (locale.size() == 2 || locale[2] == '_' || locale[2] == '-' || locale[2] == '@'))
      return true;
  }
  return false;
}

// Text of ASCII and the letters of Latin-1 (two UTF-8 bytes, 0xC3 and
// 0x80-0xBF) changes case byte by byte, as ICU would map it: reports call
// these once per printed line, and the UTF-16 round trip dominated. The two
// cases of a Latin-1 letter lie 0x20 apart in the second byte; ß and ÿ, whose
// other case lies outside Latin-1, and every other character go to ICU, as do
// the locales with their own rules for these letters (Turkish and Azeri i,
// Lithuanian accented i). Empty when the text needs ICU.
std::optional<std::string> MapLatin1Case(std::string_view text, bool upper) {
  if (LocaleLanguageIn(FormatSettings().Locale, {"tr", "az", "lt"})) return std::nullopt;
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) {
      if (upper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 0x20);
      if (!upper && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 0x20);
      continue;
    }
    if (c != 0xC3 || i + 1 >= out.size()) return std::nullopt;
    const unsigned char b = static_cast<unsigned char>(out[++i]);
    if (b < 0x80 || b > 0xBF || b == 0x9F || b == 0xBF) return std::nullopt;
    if (upper && b >= 0xA0 && b != 0xB7) out[i] = static_cast<char>(b - 0x20);  // not ÷
    if (!upper && b <= 0x9E && b != 0x97) out[i] = static_cast<char>(b + 0x20);  // not ×
  }
  return out;
}

}  // namespace

std::string AnsiUpperCase(std::string_view text) {
  if (auto mapped = MapLatin1Case(text, true)) return std::move(*mapped);
  icu::UnicodeString u = ToUnicode(text);
  return FromUnicode(u.toUpper(icu::Locale(FormatSettings().Locale.c_str())));
}

std::string AnsiLowerCase(std::string_view text) {
  if (auto mapped = MapLatin1Case(text, false)) return std::move(*mapped);
  icu::UnicodeString u = ToUnicode(text);
  return FromUnicode(u.toLower(icu::Locale(FormatSettings().Locale.c_str())));
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

size_t Utf8Length(std::string_view text) {
  size_t n = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string PadRight(std::string_view text, size_t width) {
  std::string out(text);
  const size_t length = Utf8Length(text);
  if (length < width) out.append(width - length, ' ');
  return out;
}

std::vector<std::string> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (separators.find(text[i]) != std::string_view::npos) {
      items.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  items.emplace_back(text.substr(start));
  return items;
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t len = ValidSequenceLength(bytes.substr(i));
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string ToValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t len = ValidSequenceLength(bytes.substr(i));
    if (len == 0) break;
    i += len;
  }
  if (i == bytes.size()) return std::string(bytes);

  std::string out(bytes.substr(0, i));
  while (i < bytes.size()) {
    const size_t len = ValidSequenceLength(bytes.substr(i));
    if (len > 0) {
      out.append(bytes.substr(i, len));
      i += len;
      continue;
    }
    const auto b = static_cast<unsigned char>(bytes[i]);
    AppendUtf8(out, b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char32_t>(b));
    ++i;
  }
  return out;
}

}  // namespace vcl

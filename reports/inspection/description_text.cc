#include "reports/inspection/description_text.h"

#include <unicode/unistr.h>

#include "host/vcl/strings.h"

namespace inspection {

namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// UTF-16 code units in the given byte order to UTF-8; an unpaired surrogate
// becomes U+FFFD and a trailing odd byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto first = static_cast<unsigned char>(bytes[i]);
    auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(big_endian ? static_cast<char16_t>(first << 8 | second)
                               : static_cast<char16_t>(second << 8 | first));
  }
  std::string out;
  icu::UnicodeString(units.data(), static_cast<int32_t>(units.size())).toUTF8String(out);
  return out;
}

}  // namespace

std::string DecodificarTexto(std::string_view bytes) {
  static constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  static constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
  static constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
  if (StartsWith(bytes, kUtf8Mark)) return vcl::ToValidUtf8(bytes.substr(kUtf8Mark.size()));
  if (StartsWith(bytes, kUtf16LeMark)) return Utf16ToUtf8(bytes.substr(2), false);
  if (StartsWith(bytes, kUtf16BeMark)) return Utf16ToUtf8(bytes.substr(2), true);
  return vcl::ToValidUtf8(bytes);
}

std::vector<std::string> DividirLinhas(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

std::string JuntarLinhas(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace inspection

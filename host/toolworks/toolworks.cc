#include "host/toolworks/toolworks.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "host/vcl/format_settings.h"
#include "host/vcl/strings.h"

namespace toolworks {

std::string Capitalize(std::string_view text) {
  const std::string valid = vcl::ToValidUtf8(text);
  const icu::Locale locale(vcl::FormatSettings().Locale.c_str());
  icu::UnicodeString lower =
      icu::UnicodeString::fromUTF8(icu::StringPiece(valid.data(), static_cast<int32_t>(valid.size())));
  lower.toLower(locale);
  icu::UnicodeString out;
  bool word_start = true;
  for (int32_t i = 0; i < lower.length();) {
    const UChar32 c = lower.char32At(i);
    const int32_t next = lower.moveIndex32(i, 1);
    if (u_isUWhiteSpace(c)) {
      out.append(c);
      word_start = true;
    } else if (word_start) {
      icu::UnicodeString first(lower, i, next - i);
      out.append(first.toUpper(locale));
      word_start = false;
    } else {
      out.append(c);
    }
    i = next;
  }
  std::string result;
  out.toUTF8String(result);
  return result;
}

uint32_t HashOf(std::string_view text) {
  // FNV-1a, 32 bits.
  uint32_t hash = 2166136261u;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

void Add(std::string& list, const std::string& item, const std::string& separator,
         bool allow_repeated) {
  if (!list.empty()) list += separator;
  list += item;
}

}  // namespace toolworks

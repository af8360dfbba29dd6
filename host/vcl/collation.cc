#include "host/vcl/collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>
#include <vector>

#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"
#include "host/vcl/strings.h"

namespace vcl {

namespace {

icu::Collator& CurrentCollator() {
  static std::unique_ptr<icu::Collator> collator;
  static std::string collator_locale;
  const std::string& locale = FormatSettings().Locale;
  if (!collator || collator_locale != locale) {
    UErrorCode status = U_ZERO_ERROR;
    collator.reset(icu::Collator::createInstance(icu::Locale(locale.c_str()), status));
    if (U_FAILURE(status) || !collator) {
      collator.reset();
      throw Exception("Não foi possível criar o collator do locale " + locale);
    }
    collator->setStrength(icu::Collator::TERTIARY);
    collator_locale = locale;
  }
  return *collator;
}

}  // namespace

void AppendCollationKey(std::string_view text, std::string& out) {
  icu::Collator& collator = CurrentCollator();
  icu::UnicodeString u;
  if (IsValidUtf8(text)) {
    u = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  } else {
    const std::string valid = ToValidUtf8(text);
    u = icu::UnicodeString::fromUTF8(icu::StringPiece(valid.data(), static_cast<int32_t>(valid.size())));
  }
  // The key ends with a zero byte that comparisons do not need.
  const size_t start = out.size();
  constexpr int32_t kGuess = 64;
  out.resize(start + kGuess);
  int32_t length = collator.getSortKey(u, reinterpret_cast<uint8_t*>(out.data() + start), kGuess);
  if (length > kGuess) {
    out.resize(start + length);
    length = collator.getSortKey(u, reinterpret_cast<uint8_t*>(out.data() + start), length);
  }
  out.resize(start + (length > 0 ? length - 1 : 0));
}

std::string CollationKey(std::string_view text) {
  std::string out;
  AppendCollationKey(text, out);
  return out;
}

}  // namespace vcl

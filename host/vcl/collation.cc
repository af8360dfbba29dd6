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

std::string CollationKey(std::string_view text) {
  icu::Collator& collator = CurrentCollator();
  const std::string valid = ToValidUtf8(text);
  const icu::UnicodeString u =
      icu::UnicodeString::fromUTF8(icu::StringPiece(valid.data(), static_cast<int32_t>(valid.size())));
  uint8_t buffer[256];
  int32_t length = collator.getSortKey(u, buffer, sizeof buffer);
  if (length <= static_cast<int32_t>(sizeof buffer)) {
    // The key ends with a zero byte that comparisons do not need.
    return std::string(reinterpret_cast<const char*>(buffer), length > 0 ? length - 1 : 0);
  }
  std::vector<uint8_t> big(length);
  length = collator.getSortKey(u, big.data(), length);
  return std::string(reinterpret_cast<const char*>(big.data()), length > 0 ? length - 1 : 0);
}

}  // namespace vcl

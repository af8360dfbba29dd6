// Locale collation of texts: a binary sort key per text such that comparing
// keys bytewise orders the texts as the host's locale does, ignoring case and
// accents first and using them to break ties. Internal to the runtime.
#pragma once

#include <string>
#include <string_view>

namespace vcl {

// The sort key of a UTF-8 text (invalid bytes read as Windows-1252) under the
// collator of FormatSettings().Locale.
std::string CollationKey(std::string_view text);
// The same key appended to `out`.
void AppendCollationKey(std::string_view text, std::string& out);

}  // namespace vcl

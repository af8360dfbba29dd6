// Text helpers of the runtime. All texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// Removes leading and trailing blanks and control characters (<= ' ').
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Locale-aware case mapping through ICU: "São Paulo" -> "SÃO PAULO".
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// Case-insensitive comparison of ASCII names (field and parameter names).
bool SameText(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);

// The text left-aligned in a field of `width` characters (code points), as
// Format("%-50s") would: padded with blanks, never cut.
std::string PadRight(std::string_view text, size_t width);

// Number of code points in a UTF-8 text.
size_t Utf8Length(std::string_view text);

// Splits on any of `separators`, keeping empty items.
std::vector<std::string> Split(std::string_view text, std::string_view separators);

// Whether the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Turns bytes that are not valid UTF-8 into text, reading them as Windows-1252.
std::string ToValidUtf8(std::string_view bytes);

}  // namespace vcl

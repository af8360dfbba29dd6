// Small text utilities the reports share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace toolworks {

// Each word's first letter in upper case and the rest in lower case, with the
// locale's rules ("SÃO PAULO" -> "São Paulo"). Words are separated by blanks.
std::string Capitalize(std::string_view text);

// A hash of the text: equal texts give equal values.
uint32_t HashOf(std::string_view text);

// Appends `item` to the list text, with `separator` before it when the list is
// not empty. `allow_repeated` false still appends (callers pass False).
void Add(std::string& list, const std::string& item, const std::string& separator,
         bool allow_repeated);

// Plain text with line breaks ("\r\n") from rich text: groups of destinations
// and control words skipped, \par and \line as line breaks, \'hh decoded in
// the document's code page (\ansicpg, Windows-1252 by default), \uN decoded,
// font, colour and style tables left out. Text that is not rich text passes
// through unchanged. Output is UTF-8.
std::string RTFToTXT(std::string_view rtf);

}  // namespace toolworks

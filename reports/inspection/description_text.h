// The description of an inspection as the report handles it: the stored bytes
// decoded into text, and text kept as a list of lines.
//
// Decoding follows the byte-order mark when the bytes start with one (UTF-8,
// UTF-16 little or big endian, the mark itself dropped); without a mark the
// bytes are read as UTF-8, and any byte that is not valid UTF-8 is read as
// Windows-1252, so old descriptions saved in the Windows code page still come
// out readable.
//
// Lines split at CR LF, a lone CR or a lone LF; a break at the very end does
// not start another line. The text of a list is every line followed by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace inspection {

// UTF-8 text of the stored bytes.
std::string DecodificarTexto(std::string_view bytes);

// The lines of a text ("" gives no line, "a\r\n" one, "\r\n" one empty line).
std::vector<std::string> DividirLinhas(std::string_view text);

// Every line followed by CR LF ("" for no line).
std::string JuntarLinhas(const std::vector<std::string>& lines);

}  // namespace inspection

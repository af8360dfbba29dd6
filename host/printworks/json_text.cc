#include "host/printworks/json_text.h"

#include "host/vcl/strings.h"

namespace printworks {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when invalid.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t len;
  unsigned min;
  unsigned code;
  if (c >= 0xC2 && c <= 0xDF) { len = 2; code = c & 0x1F; min = 0x80; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; code = c & 0x0F; min = 0x800; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; code = c & 0x07; min = 0x10000; }
  else return 0;
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xC0) != 0x80) return 0;
    code = (code << 6) | (cc & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return len;
}

// Appends the escaped text in one pass; false (and `out` as it was) when the
// text is not valid UTF-8.
bool AppendEscaped(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  const size_t mark = out.size();
  size_t run = 0;  // start of the run of bytes copied as they are
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      size_t len = Utf8SequenceLength(text, i);
      if (len == 0) {
        out.resize(mark);
        return false;
      }
      i += len;
      continue;
    }
    if (c >= 0x20 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    out.append(text.data() + run, i - run);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    run = ++i;
  }
  out.append(text.data() + run, text.size() - run);
  return true;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  if (!AppendEscaped(out, text)) AppendEscaped(out, vcl::ToValidUtf8(text));
  out += '"';
}

}  // namespace printworks

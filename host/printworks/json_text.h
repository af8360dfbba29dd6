// Appends JSON string literals to a buffer without building JSON objects:
// the trace of a large report is written event by event.
#pragma once

#include <string>
#include <string_view>

namespace printworks {

// Appends `text` as a quoted JSON string (UTF-8 kept as is; bytes that are
// not valid UTF-8 are read as Windows-1252 first).
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace printworks

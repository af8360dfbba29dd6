// What the fuzz targets share: a failed property stops the run with a message
// (libFuzzer then keeps the input that caused it).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/vcl/format_settings.h"

namespace fuzz {

inline void Check(bool ok, const char* what, const std::string& input) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\ninput: '%s'\n", what, input.c_str());
  std::abort();
}

// The host's locale, as report-host sets it.
inline int InitLocale() {
  vcl::ResetFormatSettings();
  return 0;
}

}  // namespace fuzz

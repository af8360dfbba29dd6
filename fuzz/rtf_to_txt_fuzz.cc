// RTFToTXT over any bytes: plain text out, no crash, hang or sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "host/toolworks/toolworks.h"
#include "host/vcl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::InitLocale(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    toolworks::RTFToTXT(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const vcl::Exception&) {
  }
  return 0;
}

// libFuzzer entry for RTFToTXT: any bytes must convert without a crash, a
// hang or a sanitizer report. Built with Clang when AGENCY_FUZZ is on.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/toolworks/toolworks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  toolworks::RTFToTXT(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}

// FormatFloat with any picture and any value (the first eight bytes are the
// value, the rest the picture), and FloatToStr of that value: no crash, hang
// or sanitizer report, and no runaway output.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/vcl/convert.h"
#include "host/vcl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::InitLocale(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < sizeof(double)) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const std::string picture(reinterpret_cast<const char*>(data) + sizeof value, size - sizeof value);
  for (double v : {value, -value, 0.0, 1234567.891}) {
    try {
      const std::string text = vcl::FormatFloat(picture, v);
      // Digits of a double and the picture's own characters, nothing more.
      fuzz::Check(text.size() <= 2 * picture.size() + 400, "runaway FormatFloat output", picture);
    } catch (const vcl::Exception&) {
    }
  }
  try {
    const std::string general = vcl::FloatToStr(value);
    fuzz::Check(!general.empty() && general.size() < 400, "bad FloatToStr output", general);
  } catch (const vcl::Exception&) {
  }
  return 0;
}

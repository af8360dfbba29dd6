// The text-to-value conversions over any text: StrToDate, StrToInt,
// StrToInt64, StrToFloat and StrToBool either raise EConvertError or give a
// value that prints and reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/vcl/convert.h"
#include "host/vcl/datetime.h"
#include "host/vcl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::InitLocale(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const vcl::TDateTime date = vcl::StrToDate(text);
    fuzz::Check(vcl::StrToDate(vcl::DateToStr(date)) == date, "date does not read back", text);
  } catch (const vcl::EConvertError&) {
  }
  vcl::TDateTime date;
  const bool parsed = vcl::TryStrToDate(text, date);
  (void)vcl::StrToDateDef(text, 0);
  try {
    const int value = vcl::StrToInt(text);
    fuzz::Check(vcl::StrToInt(vcl::IntToStr(value)) == value, "integer does not read back", text);
    fuzz::Check(vcl::StrToIntDef(text, -7) == value, "StrToIntDef differs from StrToInt", text);
  } catch (const vcl::EConvertError&) {
    fuzz::Check(vcl::StrToIntDef(text, -7) == -7, "StrToIntDef accepts what StrToInt refuses", text);
  }
  try {
    const int64_t value = vcl::StrToInt64(text);
    fuzz::Check(vcl::StrToInt64(vcl::IntToStr(value)) == value, "int64 does not read back", text);
  } catch (const vcl::EConvertError&) {
  }
  try {
    (void)vcl::StrToFloat(text);
  } catch (const vcl::EConvertError&) {
  }
  try {
    const bool value = vcl::StrToBool(text);
    fuzz::Check(vcl::StrToBool(vcl::BoolToStr(value)) == value, "boolean does not read back", text);
  } catch (const vcl::EConvertError&) {
  }
  (void)parsed;
  return 0;
}

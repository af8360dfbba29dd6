// ValorParaSQL over any text: a text literal is the text quoted with its
// quotes doubled (reading it back gives the text); as a number or a date it
// is a plain literal or a conversion error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/dataworks/sql.h"
#include "host/vcl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::InitLocale(); }

namespace {

// Reads a quoted literal back; false when it is not one.
bool Unquote(const std::string& literal, std::string& text) {
  if (literal.size() < 2 || literal.front() != '\'' || literal.back() != '\'') return false;
  text.clear();
  for (size_t i = 1; i + 1 < literal.size(); ++i) {
    if (literal[i] == '\'') {
      if (i + 2 >= literal.size() || literal[i + 1] != '\'') return false;
      ++i;
    }
    text += literal[i];
  }
  return true;
}

bool OnlyChars(const std::string& text, const std::string& allowed) {
  return text.find_first_not_of(allowed) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string back;
  fuzz::Check(Unquote(dataworks::ValorParaSQL(vcl::Variant(text)), back) && back == text,
              "text literal does not read back as the text", text);
  fuzz::Check(Unquote(dataworks::ValorParaSQL(vcl::Variant(text), vcl::TFieldType::ftString),
                      back) && back == text,
              "ftString literal does not read back as the text", text);
  try {
    const std::string number = dataworks::ValorParaSQL(vcl::Variant(text), vcl::TFieldType::ftFloat);
    fuzz::Check(OnlyChars(number, "0123456789.-+e") && !number.empty(), "bad number literal", text);
  } catch (const vcl::EConvertError&) {
  }
  try {
    const std::string date = dataworks::ValorParaSQL(vcl::Variant(text), vcl::TFieldType::ftDate);
    fuzz::Check(date.size() >= 12 && date.front() == '\'' && date.back() == '\'' &&
                    OnlyChars(date, "0123456789-'"),
                "bad date literal", text);
  } catch (const vcl::EConvertError&) {
  }
  try {
    const std::string whole = dataworks::ValorParaSQL(vcl::Variant(text), vcl::TFieldType::ftInteger);
    fuzz::Check(OnlyChars(whole, "0123456789-") && !whole.empty(), "bad integer literal", text);
  } catch (const vcl::EConvertError&) {
  }
  return 0;
}

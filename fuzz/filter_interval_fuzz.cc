// FilterInterval over any selection text: it refuses the text with
// "Seleção inválida" or builds a condition made only of the column name,
// whole numbers and SQL words, never anything taken from the text itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/dataworks/sql.h"
#include "host/vcl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::InitLocale(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool with_and : {false, true}) {
    for (auto kind : {dataworks::TnpqTypeInclusionExV::tieIncluir,
                      dataworks::TnpqTypeInclusionExV::tieExcluir}) {
      std::string condition;
      try {
        condition = dataworks::FilterInterval("X.COD", text, kind, with_and, 0);
      } catch (const vcl::Exception& e) {
        fuzz::Check(std::string(e.what()).rfind("Seleção inválida", 0) == 0,
                    "refusal without 'Seleção inválida'", text);
        return 0;
      }
      for (unsigned char c : condition) {
        const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' ||
                             c == '(' || c == ')' || c == ',' || c == '=' || c == '.';
        fuzz::Check(allowed, "condition holds a character outside the SQL words and numbers",
                    text);
      }
      if (with_and && !condition.empty()) {
        fuzz::Check(condition.rfind(" AND ", 0) == 0, "with_and condition without AND", text);
      }
    }
  }
  return 0;
}

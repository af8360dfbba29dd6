// The host's locale settings: how dates and numbers are written and read.
// One process-wide instance, Brazilian Portuguese unless the host changes it.
#pragma once

#include <array>
#include <string>

namespace vcl {

struct TFormatSettings {
  std::string ShortDateFormat = "dd/mm/yyyy";
  char DateSeparator = '/';
  std::string DecimalSeparator = ",";
  std::string ThousandSeparator = ".";
  std::array<std::string, 12> LongMonthNames = {
      "janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
      "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  std::array<std::string, 12> ShortMonthNames = {
      "jan", "fev", "mar", "abr", "mai", "jun",
      "jul", "ago", "set", "out", "nov", "dez"};
  // Sunday first, as the "ddd" and "dddd" date patterns use them.
  std::array<std::string, 7> LongDayNames = {
      "domingo", "segunda-feira", "terça-feira", "quarta-feira",
      "quinta-feira", "sexta-feira", "sábado"};
  std::array<std::string, 7> ShortDayNames = {
      "dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
  char TimeSeparator = ':';
  std::string Locale = "pt_BR";  // ICU locale used for case mapping and collation
};

// The settings every formatting and parsing function of the runtime uses.
TFormatSettings& FormatSettings();

// Restores the Brazilian Portuguese defaults (used by tests and the host).
void ResetFormatSettings();

}  // namespace vcl

#include "host/vcl/datetime.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <algorithm>

#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"
#include "host/vcl/strings.h"

namespace vcl {

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 counted from 1970-01-01.
const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

// Splits a date-time into whole days and milliseconds of the day. The day
// part is truncated toward zero and the time is the absolute fraction, as the
// platform counts dates before 1899-12-30.
void Split(TDateTime value, int64_t& days, int64_t& ms) {
  if (!std::isfinite(value) || std::fabs(value) > 1e9) {
    days = 0;
    ms = 0;
    return;
  }
  days = static_cast<int64_t>(std::trunc(value));
  ms = std::llround(std::fabs(value - static_cast<double>(days)) * kMsPerDay);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    days += value < 0 ? -1 : 1;
  }
}

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

std::string Padded(int v, size_t width) {
  std::string s = std::to_string(v);
  return s.size() < width ? std::string(width - s.size(), '0') + s : s;
}

int DayOfWeek(TDateTime value) {  // 0 = Sunday
  int64_t days, ms;
  Split(value, days, ms);
  // 1899-12-30 was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
  if (!ValidDate(year, month, day)) {
    throw EConvertError("Data inválida: " + std::to_string(day) + "/" + std::to_string(month) +
                        "/" + std::to_string(year));
  }
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    throw EConvertError("Hora inválida: " + TwoDigits(hour) + ":" + TwoDigits(minute) + ":" +
                        TwoDigits(second));
  }
  return ((hour * 3600 + minute * 60 + second) * 1000.0 + millisecond) / kMsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  int64_t days, ms;
  Split(value, days, ms);
  CivilFromDays(days + kEpochOffset, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  int64_t days, ms;
  Split(value, days, ms);
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

int YearOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return y;
}

int MonthOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return m;
}

int DayOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return d;
}

TDateTime Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
}

TDateTime Date() { return std::trunc(Now()); }

std::string DateToStr(TDateTime value) {
  return FormatDateTime(FormatSettings().ShortDateFormat, value);
}

std::string DateTimeToStr(TDateTime value) {
  int64_t days, ms;
  Split(value, days, ms);
  std::string out = DateToStr(value);
  if (ms != 0) out += " " + FormatDateTime("hh:nn:ss", value);
  return out;
}

std::string FormatDateTime(const std::string& pattern, TDateTime value) {
  const TFormatSettings& fs = FormatSettings();
  int year, month, day, hour, minute, second, ms;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  std::string out;
  bool last_was_hour = false;  // "m" right after "h" means minutes
  size_t i = 0;
  const size_t n = pattern.size();
  auto run_of = [&](char lower) {
    size_t j = i;
    while (j < n && (pattern[j] | 0x20) == lower) ++j;
    return j - i;
  };
  while (i < n) {
    const char c = pattern[i];
    const char lc = static_cast<char>(c | 0x20);
    if (c == '"' || c == '\'') {
      size_t j = i + 1;
      while (j < n && pattern[j] != c) ++j;
      out.append(pattern, i + 1, j - i - 1);
      i = j < n ? j + 1 : j;
      continue;
    }
    if (c == '/') {
      out += fs.DateSeparator;
      ++i;
      continue;
    }
    if (c == ':') {
      out += fs.TimeSeparator;
      ++i;
      continue;
    }
    if (lc == 'd') {
      const size_t k = run_of('d');
      if (k == 1) out += std::to_string(day);
      else if (k == 2) out += TwoDigits(day);
      else if (k == 3) out += fs.ShortDayNames[DayOfWeek(value)];
      else if (k == 4) out += fs.LongDayNames[DayOfWeek(value)];
      else out += DateToStr(value);
      i += k;
      last_was_hour = false;
      continue;
    }
    if (lc == 'm') {
      const size_t k = run_of('m');
      if (last_was_hour && k <= 2) {
        out += k == 1 ? std::to_string(minute) : TwoDigits(minute);
      } else if (k == 1) {
        out += std::to_string(month);
      } else if (k == 2) {
        out += TwoDigits(month);
      } else if (k == 3) {
        out += fs.ShortMonthNames[month - 1];
      } else {
        out += fs.LongMonthNames[month - 1];
      }
      i += k;
      last_was_hour = false;
      continue;
    }
    if (lc == 'y') {
      const size_t k = run_of('y');
      out += k <= 2 ? TwoDigits(year % 100) : Padded(year, 4);
      i += k;
      last_was_hour = false;
      continue;
    }
    if (lc == 'h') {
      const size_t k = run_of('h');
      out += k == 1 ? std::to_string(hour) : TwoDigits(hour);
      i += k;
      last_was_hour = true;
      continue;
    }
    if (lc == 'n') {
      const size_t k = run_of('n');
      out += k == 1 ? std::to_string(minute) : TwoDigits(minute);
      i += k;
      last_was_hour = false;
      continue;
    }
    if (lc == 's') {
      const size_t k = run_of('s');
      out += k == 1 ? std::to_string(second) : TwoDigits(second);
      i += k;
      last_was_hour = false;
      continue;
    }
    if (lc == 'z') {
      const size_t k = run_of('z');
      out += k >= 3 ? Padded(ms, 3) : std::to_string(ms);
      i += k;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

bool TryStrToDate(const std::string& text, TDateTime& value) {
  const TFormatSettings& fs = FormatSettings();
  // The order of day, month and year as the short date format writes them.
  std::string order;
  for (char c : fs.ShortDateFormat) {
    const char lc = static_cast<char>(c | 0x20);
    if ((lc == 'd' || lc == 'm' || lc == 'y') && order.find(lc) == std::string::npos) order += lc;
  }
  if (order.size() != 3) order = "dmy";

  const std::string s = Trim(text);
  int parts[3] = {0, 0, 0};
  size_t widths[3] = {0, 0, 0};
  size_t i = 0;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (i >= s.size() || s[i] != fs.DateSeparator) return false;
      ++i;
    }
    const size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 4) {
      parts[k] = parts[k] * 10 + (s[i] - '0');
      ++i;
    }
    widths[k] = i - start;
    if (widths[k] == 0) return false;
  }
  if (i != s.size()) return false;

  int day = 0, month = 0, year = 0;
  size_t year_width = 0;
  for (int k = 0; k < 3; ++k) {
    if (order[k] == 'd') day = parts[k];
    if (order[k] == 'm') month = parts[k];
    if (order[k] == 'y') {
      year = parts[k];
      year_width = widths[k];
    }
  }
  if ((order.find('d') < 3 && widths[order.find('d')] > 2) ||
      (order.find('m') < 3 && widths[order.find('m')] > 2)) {
    return false;
  }
  if (year_width <= 2) year += year < 50 ? 2000 : 1900;
  if (!ValidDate(year, month, day)) return false;
  value = EncodeDate(year, month, day);
  return true;
}

TDateTime StrToDate(const std::string& text) {
  TDateTime value;
  if (!TryStrToDate(text, value)) throw EConvertError("'" + text + "' não é uma data válida");
  return value;
}

TDateTime StrToDateDef(const std::string& text, TDateTime fallback) {
  TDateTime value;
  return TryStrToDate(text, value) ? value : fallback;
}

}  // namespace vcl

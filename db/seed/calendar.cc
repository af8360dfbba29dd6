#include "db/seed/calendar.h"

#include <cmath>
#include <cstdio>

namespace agency_seed {
namespace {

// Days between 1899-12-30 and 1970-01-01.
constexpr int kDateTimeOffset = 25569;

}  // namespace

// Howard Hinnant's days_from_civil.
Day MakeDay(int year, int month, int day) {
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int>(doe) - 719468;
}

void SplitDay(Day value, int& year, int& month, int& day) {
  int z = value + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe) + era * 400 + (month <= 2);
}

int Weekday(Day value) { return ((value % 7) + 11) % 7; }

vcl::DateTimeValue DateValue(Day value, double fraction) {
  return vcl::DateTimeValue{static_cast<double>(value + kDateTimeOffset) + fraction};
}

std::string DateTimeText(double date_time) {
  double whole = std::floor(date_time);
  int y, m, d;
  SplitDay(static_cast<Day>(whole) - kDateTimeOffset, y, m, d);
  char buf[64];
  long seconds = std::lround((date_time - whole) * 86400.0);
  if (seconds == 0) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02ld:%02ld:%02ld", y, m, d, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
  }
  return buf;
}

std::string ShortDate(Day value) {
  int y, m, d;
  SplitDay(value, y, m, d);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d, m, y);
  return buf;
}

}  // namespace agency_seed

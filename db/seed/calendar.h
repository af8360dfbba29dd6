// Calendar days for the sample data: a day is a count of days since
// 1970-01-01, turned into the platform's date-time (days since 1899-12-30)
// when a row is written.
#pragma once

#include <string>

#include "host/vcl/variant.h"

namespace agency_seed {

using Day = int;

Day MakeDay(int year, int month, int day);
void SplitDay(Day value, int& year, int& month, int& day);
// 0 = Sunday ... 6 = Saturday.
int Weekday(Day value);

// The date-time value of a day, plus an optional fraction of a day.
vcl::DateTimeValue DateValue(Day value, double fraction = 0);

// "YYYY-MM-DD", followed by " HH:MM:SS" when the time is not midnight.
std::string DateTimeText(double date_time);
// "dd/mm/yyyy".
std::string ShortDate(Day value);

}  // namespace agency_seed

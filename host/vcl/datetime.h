// Date-times as the platform counts them: days since 30 December 1899, the
// fraction being the time of day. Dates are proleptic Gregorian.
#pragma once

#include <string>

namespace vcl {

using TDateTime = double;

// Raises EConvertError for an impossible date.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);

// Today at midnight, and now, in local time.
TDateTime Date();
TDateTime Now();

// The date in the short date format ("dd/mm/yyyy" by default).
std::string DateToStr(TDateTime value);
// Date and time: short date, a blank and hh:nn:ss (time left out at midnight).
std::string DateTimeToStr(TDateTime value);
// Patterns: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss, literal text in
// double or single quotes, '/' as the date separator and ':' as itself.
std::string FormatDateTime(const std::string& pattern, TDateTime value);

// Text in the short date format to a date. Day and month may have one or two
// digits; a two-digit year is taken in the century window of the platform
// (00-49 as 20xx, 50-99 as 19xx). Leading and trailing blanks are allowed.
// Raises EConvertError "'<text>' não é uma data válida".
TDateTime StrToDate(const std::string& text);
TDateTime StrToDateDef(const std::string& text, TDateTime fallback);
bool TryStrToDate(const std::string& text, TDateTime& value);

}  // namespace vcl

#pragma once
// Dates and times as the class library counts them: a TDateTime is a number
// of days since 1899-12-30 00:00, the fraction being the time of day. Days
// before that are negative and their fraction's absolute value is still the
// time of day (-1.25 is 1899-12-29 06:00). The proleptic Gregorian calendar
// from 0001-01-01 to 9999-12-31; English month and day names, "/" and ":"
// as separators, whatever the user's locale.

#include <functional>
#include <string>
#include <string_view>

#include "platform/sys/SysUtils.h"

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = 24 * 60 * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
// 0001-01-01 and 9999-12-31 as TDateTime.
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTime = 2958465.99999999;

// Fixed English settings: the texts FormatDateTime writes and StrToDateTime
// reads.
struct TFormatSettings {
  char DateSeparator;
  char TimeSeparator;
  const char* ShortDateFormat;
  const char* LongDateFormat;
  const char* ShortTimeFormat;
  const char* LongTimeFormat;
  const char* TimeAMString;
  const char* TimePMString;
  const char* ShortMonthNames[12];
  const char* LongMonthNames[12];
  // Sunday first.
  const char* ShortDayNames[7];
  const char* LongDayNames[7];
  // Two-digit years read as the one within this many years before the
  // current year and the rest of the hundred after it.
  int TwoDigitYearCenturyWindow;
};
extern const TFormatSettings FormatSettings;

// ---- the clock ----------------------------------------------------------------

// The current local date and time, the date (time 0) and the time of day
// (date 0), read from the clock below.
TDateTime Now();
TDateTime Date();
TDateTime Time();
inline TDateTime GetTime() {
  return Time();
}

namespace sys {
// Where Now reads the time: the system's local time unless a clock is set
// (tests set one; an empty function restores the system clock).
using DateTimeClock = std::function<TDateTime()>;
void SetDateTimeClock(DateTimeClock clock);
}  // namespace sys

// ---- the calendar ----------------------------------------------------------------

bool IsLeapYear(int Year);
// 0 for a month outside 1..12.
int DaysInAMonth(int Year, int Month);
int DaysInAYear(int Year);
// The number of days of the month Value lies in.
int DaysInMonth(TDateTime Value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime Value);

// ---- encoding and decoding ----------------------------------------------------------------

// False (and Value untouched) for a date that does not exist or lies outside
// the calendar's range.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value);
// Throws EConvertError.
TDateTime EncodeDate(int Year, int Month, int Day);
// Hour 0..23, Min 0..59, Sec 0..59, MSec 0..999.
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec, TDateTime& Value);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);

// The fields of Value; the time is rounded to the nearest millisecond, and a
// time that rounds up to midnight counts to the next day. A value outside
// the calendar (or not a number) gives zero in every field.
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec,
                    int& MSec);

// The date part (time 0) and the time part (date 0).
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);

// ---- arithmetic ----------------------------------------------------------------

// Months (or years) later, or earlier for a negative count, keeping the time
// of day; a day past the end of the new month becomes its last day
// (January 31 plus one month is the end of February). Throws EConvertError
// when the result leaves the calendar.
TDateTime IncMonth(TDateTime Value, int NumberOfMonths = 1);
TDateTime IncYear(TDateTime Value, int NumberOfYears = 1);

// Value with some fields replaced; RecodeLeaveFieldAsIs keeps a field.
// Throws EConvertError when the result does not exist (February 30).
constexpr int RecodeLeaveFieldAsIs = 65535;
bool TryRecodeDateTime(TDateTime Value, int Year, int Month, int Day, int Hour, int Minute, int Second,
                       int MilliSecond, TDateTime& Result);
TDateTime RecodeDateTime(TDateTime Value, int Year, int Month, int Day, int Hour, int Minute, int Second,
                         int MilliSecond);
TDateTime RecodeYear(TDateTime Value, int Year);
TDateTime RecodeMonth(TDateTime Value, int Month);
TDateTime RecodeDay(TDateTime Value, int Day);
TDateTime RecodeHour(TDateTime Value, int Hour);
TDateTime RecodeMinute(TDateTime Value, int Minute);
TDateTime RecodeSecond(TDateTime Value, int Second);
TDateTime RecodeMilliSecond(TDateTime Value, int MilliSecond);
TDateTime RecodeDate(TDateTime Value, int Year, int Month, int Day);
TDateTime RecodeTime(TDateTime Value, int Hour, int Minute, int Second, int MilliSecond);

// ---- text ----------------------------------------------------------------

// The class library's date-time pattern letters, case-insensitive:
//   d dd          day, 1 or 2 digits       ddd dddd   Sun / Sunday
//   ddddd dddddd  the short / long date format
//   m mm          month (minutes right after an h or hh)
//   mmm mmmm      Jan / January            yy yyyy    year, 2 or 4 digits
//   h hh          hour (12-hour when an am/pm follows)
//   n nn          minute                   s ss       second
//   z zzz         millisecond, 1 or 3 digits
//   t tt          the short / long time format
//   am/pm a/p     "am"/"pm" or "a"/"p" in the case written
//   ampm          TimeAMString or TimePMString
//   c             short date, then the long time unless it is midnight
//   / :           the date and time separators
//   "..." '...'   literal text
// Any other character is copied. An empty format is "c".
std::string FormatDateTime(std::string_view Format, TDateTime Value);
// FormatDateTime "c", "ddddd" and "tt".
std::string DateTimeToStr(TDateTime Value);
std::string DateToStr(TDateTime Value);
std::string TimeToStr(TDateTime Value);

// The short date (month/day[/year], the current year when left out) and/or a
// time (h[:nn[:ss[.zzz]]] with an optional AM/PM); blanks around allowed.
bool TryStrToDate(std::string_view Text, TDateTime& Value);
bool TryStrToTime(std::string_view Text, TDateTime& Value);
bool TryStrToDateTime(std::string_view Text, TDateTime& Value);
// Throw EConvertError.
TDateTime StrToDate(std::string_view Text);
TDateTime StrToTime(std::string_view Text);
TDateTime StrToDateTime(std::string_view Text);

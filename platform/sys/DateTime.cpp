#include "platform/sys/DateTime.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <utility>

#include "platform/sys/DateTimeCompose.h"

const TFormatSettings FormatSettings = {
    '/',
    ':',
    "m/d/yyyy",
    "dddd, mmmm d, yyyy",
    "h:nn AMPM",
    "h:nn:ss AMPM",
    "AM",
    "PM",
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    50,
};

namespace {

// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr std::int64_t kDateDelta = 693594;
// 9999-12-31 counted the same way.
constexpr std::int64_t kLastDay = 3652059;
// Beyond this a double no longer holds a millisecond.
constexpr double kTimeLimit = 1e11;

std::mutex gClockLock;
sys::DateTimeClock gClock;

TDateTime SystemNow() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  TDateTime date = 0, time = 0;
  TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
  // A leap second reads as the last second of its minute.
  TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), int(ts.tv_nsec / 1000000), time);
  return sys::ComposeDateTime(date, time);
}

// The day number and the time in milliseconds; false for values that are no
// date-time at all.
bool SplitDateTime(TDateTime value, std::int64_t& day, int& msec) {
  if (!std::isfinite(value) || std::fabs(value) > kTimeLimit) return false;
  const double whole = std::trunc(value);
  day = static_cast<std::int64_t>(whole);
  auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * MSecsPerDay));
  // 23:59:59.9996 is the next midnight, not hour 24.
  if (ms >= MSecsPerDay) {
    ms -= MSecsPerDay;
    ++day;
  }
  msec = static_cast<int>(ms);
  return true;
}

// The calendar date of a day number; false outside 0001-01-01..9999-12-31.
bool DayToDate(std::int64_t day, int& year, int& month, int& dayOfMonth) {
  std::int64_t t = day + kDateDelta;
  if (t < 1 || t > kLastDay) return false;
  // Whole cycles of 400, 100, 4 and 1 years; the last year of a cycle
  // takes the leap day.
  constexpr std::int64_t d1 = 365, d4 = d1 * 4 + 1, d100 = d4 * 25 - 1, d400 = d100 * 4 + 1;
  --t;
  std::int64_t y = 1 + (t / d400) * 400;
  t %= d400;
  std::int64_t i = t / d100;
  std::int64_t d = t % d100;
  if (i == 4) {
    --i;
    d += d100;
  }
  y += i * 100;
  y += (d / d4) * 4;
  d %= d4;
  i = d / d1;
  d %= d1;
  if (i == 4) {
    --i;
    d += d1;
  }
  y += i;
  year = static_cast<int>(y);
  month = 1;
  for (int m = DaysInAMonth(year, month); d >= m; m = DaysInAMonth(year, month)) {
    d -= m;
    ++month;
  }
  dayOfMonth = static_cast<int>(d) + 1;
  return true;
}

[[noreturn]] void RecodeError() {
  throw EConvertError("Invalid date/time: the recoded fields give no date");
}

}  // namespace

// ---- the clock ----------------------------------------------------------------

namespace sys {

void SetDateTimeClock(DateTimeClock clock) {
  std::lock_guard<std::mutex> lock(gClockLock);
  gClock = std::move(clock);
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date >= 0 ? date + time : date - time;
}

}  // namespace sys

TDateTime Now() {
  sys::DateTimeClock clock;
  {
    std::lock_guard<std::mutex> lock(gClockLock);
    clock = gClock;
  }
  return clock ? clock() : SystemNow();
}

TDateTime Date() {
  return DateOf(Now());
}

TDateTime Time() {
  return TimeOf(Now());
}

// ---- the calendar ----------------------------------------------------------------

bool IsLeapYear(int Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInAMonth(int Year, int Month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return days[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

int DaysInAYear(int Year) {
  return IsLeapYear(Year) ? 366 : 365;
}

int DaysInMonth(TDateTime Value) {
  int y, m, d;
  DecodeDate(Value, y, m, d);
  return DaysInAMonth(y, m);
}

int DayOfWeek(TDateTime Value) {
  std::int64_t day;
  int ms;
  if (!SplitDateTime(Value, day, ms)) return 0;
  const std::int64_t t = day + kDateDelta;
  return static_cast<int>(((t % 7) + 7) % 7) + 1;
}

// ---- encoding and decoding ----------------------------------------------------------------

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) {
  if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  std::int64_t dayOfYear = Day;
  for (int m = 1; m < Month; ++m) dayOfYear += DaysInAMonth(Year, m);
  const std::int64_t i = Year - 1;
  Value = static_cast<double>(i * 365 + i / 4 - i / 100 + i / 400 + dayOfYear - kDateDelta);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime v;
  if (!TryEncodeDate(Year, Month, Day, v)) throw EConvertError("Invalid argument to date encode");
  return v;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value) {
  if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 || MSec >= 1000)
    return false;
  Value = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime v;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, v)) throw EConvertError("Invalid argument to time encode");
  return v;
}

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec, TDateTime& Value) {
  TDateTime date, time;
  if (!TryEncodeDate(Year, Month, Day, date) || !TryEncodeTime(Hour, Min, Sec, MSec, time)) return false;
  Value = sys::ComposeDateTime(date, time);
  return true;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec) {
  return sys::ComposeDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Min, Sec, MSec));
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  std::int64_t day;
  int ms;
  if (!SplitDateTime(Value, day, ms) || !DayToDate(day, Year, Month, Day)) Year = Month = Day = 0;
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  std::int64_t day;
  int ms = 0;
  if (!SplitDateTime(Value, day, ms)) ms = 0;
  Hour = ms / 3600000;
  Min = ms / 60000 % 60;
  Sec = ms / 1000 % 60;
  MSec = ms % 1000;
}

void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec,
                    int& MSec) {
  DecodeDate(Value, Year, Month, Day);
  DecodeTime(Value, Hour, Min, Sec, MSec);
}

TDateTime DateOf(TDateTime Value) {
  return std::trunc(Value);
}

TDateTime TimeOf(TDateTime Value) {
  return std::fabs(Value - std::trunc(Value));
}

// ---- arithmetic ----------------------------------------------------------------

TDateTime IncMonth(TDateTime Value, int NumberOfMonths) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(Value, y, m, d, h, n, s, ms);
  if (y == 0) throw EConvertError("Invalid argument to date encode");
  const long long months = static_cast<long long>(y) * 12 + (m - 1) + NumberOfMonths;
  const long long year = months >= 0 ? months / 12 : -((-months + 11) / 12);
  if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
  y = static_cast<int>(year);
  m = static_cast<int>(months - year * 12) + 1;
  d = std::min(d, DaysInAMonth(y, m));
  return EncodeDateTime(y, m, d, h, n, s, ms);
}

TDateTime IncYear(TDateTime Value, int NumberOfYears) {
  return IncMonth(Value, NumberOfYears * 12);
}

bool TryRecodeDateTime(TDateTime Value, int Year, int Month, int Day, int Hour, int Minute, int Second,
                       int MilliSecond, TDateTime& Result) {
  int f[7];
  DecodeDateTime(Value, f[0], f[1], f[2], f[3], f[4], f[5], f[6]);
  const int given[7] = {Year, Month, Day, Hour, Minute, Second, MilliSecond};
  for (int i = 0; i < 7; ++i) {
    if (given[i] != RecodeLeaveFieldAsIs) f[i] = given[i];
  }
  return TryEncodeDateTime(f[0], f[1], f[2], f[3], f[4], f[5], f[6], Result);
}

TDateTime RecodeDateTime(TDateTime Value, int Year, int Month, int Day, int Hour, int Minute, int Second,
                         int MilliSecond) {
  TDateTime r;
  if (!TryRecodeDateTime(Value, Year, Month, Day, Hour, Minute, Second, MilliSecond, r)) RecodeError();
  return r;
}

namespace {

constexpr int kKeep = RecodeLeaveFieldAsIs;

// One field (0 year .. 6 millisecond) replaced.
TDateTime RecodeField(TDateTime value, int field, int fieldValue) {
  int f[7] = {kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep};
  f[field] = fieldValue;
  return RecodeDateTime(value, f[0], f[1], f[2], f[3], f[4], f[5], f[6]);
}

}  // namespace

TDateTime RecodeYear(TDateTime Value, int Year) {
  return RecodeField(Value, 0, Year);
}
TDateTime RecodeMonth(TDateTime Value, int Month) {
  return RecodeField(Value, 1, Month);
}
TDateTime RecodeDay(TDateTime Value, int Day) {
  return RecodeField(Value, 2, Day);
}
TDateTime RecodeHour(TDateTime Value, int Hour) {
  return RecodeField(Value, 3, Hour);
}
TDateTime RecodeMinute(TDateTime Value, int Minute) {
  return RecodeField(Value, 4, Minute);
}
TDateTime RecodeSecond(TDateTime Value, int Second) {
  return RecodeField(Value, 5, Second);
}
TDateTime RecodeMilliSecond(TDateTime Value, int MilliSecond) {
  return RecodeField(Value, 6, MilliSecond);
}
TDateTime RecodeDate(TDateTime Value, int Year, int Month, int Day) {
  return RecodeDateTime(Value, Year, Month, Day, kKeep, kKeep, kKeep, kKeep);
}
TDateTime RecodeTime(TDateTime Value, int Hour, int Minute, int Second, int MilliSecond) {
  return RecodeDateTime(Value, kKeep, kKeep, kKeep, Hour, Minute, Second, MilliSecond);
}

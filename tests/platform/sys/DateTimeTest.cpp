#include <time.h>

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/sys/DateTime.h"

namespace {

struct ClockGuard {
  explicit ClockGuard(TDateTime fixed) {
    sys::SetDateTimeClock([fixed] { return fixed; });
  }
  ~ClockGuard() { sys::SetDateTimeClock(nullptr); }
};

std::string Fields(TDateTime v) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(v, y, m, d, h, n, s, ms);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, m, d, h, n, s, ms);
  return buf;
}

}  // namespace

TEST(DateTime, CalendarDaysAndLeapYears) {
  struct Case {
    int y, m, d;
    double days;
    int dayOfWeek;
  } cases[] = {
      {1899, 12, 30, 0, 7},       {1899, 12, 31, 1, 1},    {1900, 1, 1, 2, 2},        {1900, 2, 28, 60, 4},
      {1900, 3, 1, 61, 5},        {2000, 2, 29, 36585, 3}, {2024, 2, 29, 45351, 5},   {1899, 12, 29, -1, 6},
      {1899, 11, 30, -30, 5},     {1800, 1, 1, -36522, 4}, {1600, 2, 29, -109512, 3}, {1, 1, 1, -693593, 2},
      {9999, 12, 31, 2958465, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days);
    int y, m, d;
    DecodeDate(c.days, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
    EXPECT_EQ(DayOfWeek(c.days), c.dayOfWeek);
  }

  struct Leap {
    int year;
    bool leap;
  } years[] = {{1900, false}, {2000, true}, {2024, true}, {2023, false},
               {2100, false}, {1600, true}, {4, true}};
  for (const auto& l : years) {
    EXPECT_EQ(IsLeapYear(l.year), l.leap) << l.year;
    EXPECT_EQ(DaysInAMonth(l.year, 2), l.leap ? 29 : 28) << l.year;
    EXPECT_EQ(DaysInAYear(l.year), l.leap ? 366 : 365) << l.year;
    TDateTime v = -5;
    EXPECT_EQ(TryEncodeDate(l.year, 2, 29, v), l.leap) << l.year;
    if (!l.leap) {
      EXPECT_EQ(v, -5) << "a failed encode leaves the value";
    }
  }
  EXPECT_EQ(DaysInMonth(EncodeDate(2024, 4, 10)), 30);
  EXPECT_EQ(DaysInAMonth(2024, 13), 0);
}

TEST(DateTime, EveryDayAndManyTimesRoundTrip) {
  for (double day = MinDateTime; day <= 2958465; day += 37) {
    int y, m, d;
    DecodeDate(day, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), day) << y << "-" << m << "-" << d;
  }
  for (int ms = 0; ms < MSecsPerDay; ms += 7777) {
    for (int y : {1700, 1899, 1900, 2024}) {
      const TDateTime v = EncodeDateTime(y, 6, 15, ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
      int h, n, s, z;
      DecodeTime(v, h, n, s, z);
      ASSERT_EQ(((h * 60 + n) * 60 + s) * 1000 + z, ms) << y;
      EXPECT_EQ(RecodeTime(v, h, n, s, z), v);
    }
  }
}

TEST(DateTime, BeforeTheEpochTheFractionIsTheTimeOfDay) {
  struct Case {
    double value;
    const char* fields;
  } cases[] = {
      {-1.25, "1899-12-29 06:00:00.000"},
      {-0.5, "1899-12-30 12:00:00.000"},
      {0.5, "1899-12-30 12:00:00.000"},
      {-36521.75, "1800-01-02 18:00:00.000"},
      // Rounds to the next midnight, never to hour 24.
      {0.99999999999, "1899-12-31 00:00:00.000"},
      {-1.99999999999, "1899-12-30 00:00:00.000"},
      // Outside the calendar: every field zero.
      {-693594.0, "0000-00-00 00:00:00.000"},
      {std::numeric_limits<double>::quiet_NaN(), "0000-00-00 00:00:00.000"},
      {std::numeric_limits<double>::infinity(), "0000-00-00 00:00:00.000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.value), c.fields) << c.value;
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  EXPECT_EQ(EncodeDateTime(1800, 1, 2, 18, 0, 0, 0), -36521.75);
  EXPECT_EQ(DateOf(-1.25), -1);
  EXPECT_EQ(TimeOf(-1.25), 0.25);
}

TEST(DateTime, EncodeRejectsFieldsThatAreNoDateOrTime) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2024, 4, 31), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
  try {
    EncodeDate(2023, 2, 29);
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to date encode");
  }
  TDateTime v = 7;
  EXPECT_FALSE(TryEncodeTime(23, 59, 59, 1000, v));
  EXPECT_FALSE(TryEncodeDateTime(2023, 2, 29, 0, 0, 0, 0, v));
  EXPECT_EQ(v, 7);
  EXPECT_EQ(EncodeTime(23, 59, 59, 999), (MSecsPerDay - 1.0) / MSecsPerDay);
}

TEST(DateTime, IncMonthAndIncYearKeepTheTimeAndClampTheDay) {
  struct Case {
    TDateTime from;
    int months;
    TDateTime to;
  } cases[] = {
      {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
      {EncodeDate(2023, 1, 31), 1, EncodeDate(2023, 2, 28)},
      {EncodeDate(2024, 3, 31), -1, EncodeDate(2024, 2, 29)},
      {EncodeDate(2024, 1, 15), -13, EncodeDate(2022, 12, 15)},
      {EncodeDate(2024, 12, 15), 1, EncodeDate(2025, 1, 15)},
      {EncodeDateTime(2024, 5, 20, 13, 45, 10, 5), 3, EncodeDateTime(2024, 8, 20, 13, 45, 10, 5)},
      {EncodeDateTime(1899, 11, 30, 6, 0, 0, 0), 1, 0.25},
      {0.25, -1, EncodeDateTime(1899, 11, 30, 6, 0, 0, 0)},
      {EncodeDate(1900, 1, 29), 1, EncodeDate(1900, 2, 28)},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(IncMonth(c.from, c.months)), Fields(c.to)) << Fields(c.from);
  EXPECT_EQ(Fields(IncMonth(EncodeDate(2024, 1, 31))), "2024-02-29 00:00:00.000");
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29), 4), EncodeDate(2028, 2, 29));
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29), -124), EncodeDate(1900, 2, 28));
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(IncYear(EncodeDate(1, 6, 1), -1), EConvertError);
}

TEST(DateTime, RecodeReplacesFieldsOrRefusesDatesThatDoNotExist) {
  const TDateTime v = EncodeDateTime(2024, 2, 29, 13, 5, 9, 7);
  struct Case {
    TDateTime result;
    const char* fields;
  } cases[] = {
      {RecodeYear(v, 2028), "2028-02-29 13:05:09.007"},
      {RecodeMonth(v, 3), "2024-03-29 13:05:09.007"},
      {RecodeDay(v, 1), "2024-02-01 13:05:09.007"},
      {RecodeHour(v, 0), "2024-02-29 00:05:09.007"},
      {RecodeMinute(v, 59), "2024-02-29 13:59:09.007"},
      {RecodeSecond(v, 0), "2024-02-29 13:05:00.007"},
      {RecodeMilliSecond(v, 999), "2024-02-29 13:05:09.999"},
      {RecodeDate(v, 1800, 1, 2), "1800-01-02 13:05:09.007"},
      {RecodeTime(v, 1, 2, 3, 4), "2024-02-29 01:02:03.004"},
      {RecodeDateTime(v, RecodeLeaveFieldAsIs, 1, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs, 0,
                      RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs),
       "2024-01-29 13:00:09.007"},
      {RecodeDay(RecodeMonth(RecodeDay(EncodeDate(2024, 3, 31), 1), 2), 29), "2024-02-29 00:00:00.000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.result), c.fields);
  EXPECT_EQ(RecodeDate(v, 1800, 1, 2), EncodeDateTime(1800, 1, 2, 13, 5, 9, 7));
  EXPECT_THROW(RecodeYear(v, 2023), EConvertError);
  EXPECT_THROW(RecodeMonth(EncodeDate(2024, 3, 31), 4), EConvertError);
  EXPECT_THROW(RecodeDay(v, 30), EConvertError);
  EXPECT_THROW(RecodeHour(v, 24), EConvertError);
  EXPECT_THROW(RecodeYear(v, 0), EConvertError);
  TDateTime r = 3;
  EXPECT_FALSE(TryRecodeDateTime(v, 2024, 2, 30, 0, 0, 0, 0, r));
  EXPECT_EQ(r, 3);
}

TEST(DateTime, FormatDateTimeLetters) {
  const TDateTime v = EncodeDateTime(2024, 2, 29, 13, 5, 9, 7);
  const TDateTime morning = EncodeDateTime(2009, 11, 3, 0, 7, 0, 0);
  struct Case {
    const char* format;
    TDateTime value;
    const char* text;
  } cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", v, "2024-02-29 13:05:09.007"},
      {"d/m/yy", v, "29/2/24"},
      {"ddd dddd", v, "Thu Thursday"},
      {"mmm mmmm", v, "Feb February"},
      {"MMM-YYYY", v, "Feb-2024"},
      {"h:mm am/pm", v, "1:05 pm"},
      {"hh:nn AM/PM", v, "01:05 PM"},
      {"hh:nn A/P", v, "01:05 P"},
      {"h:nn ampm", v, "1:05 PM"},
      {"h:nn am/pm", morning, "12:07 am"},
      {"hh:nn:ss", morning, "00:07:00"},
      {"h m s", v, "13 5 9"},
      {"z zzz", v, "7 007"},
      {"c", v, "2/29/2024 1:05:09 PM"},
      {"", v, "2/29/2024 1:05:09 PM"},
      {"c", EncodeDate(2024, 1, 1), "1/1/2024"},
      {"ddddd", v, "2/29/2024"},
      {"dddddd", v, "Thursday, February 29, 2024"},
      {"t", v, "1:05 PM"},
      {"tt", v, "1:05:09 PM"},
      {"'at' hh\"h\"nn", v, "at 13h05"},
      {"\"h:m\" h:m", v, "h:m 13:5"},
      {"Jhh:nn", 3.5, "J12:00"},
      {"hh:nn:ss", 3.5, "12:00:00"},
      {"m/d hh:nn:ss", v, "2/29 13:05:09"},
      {"d mmm h:nn:ss am/pm", v, "29 Feb 1:05:09 pm"},
      {"m/d/yy h:nn:ss am/pm", morning, "11/3/09 12:07:00 am"},
      {"m/d/yyyy h:nn:ss am/pm", v, "2/29/2024 1:05:09 pm"},
      {"yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
      {"yyyy-mm-dd hh:nn", -0.5, "1899-12-30 12:00"},
      {"dddd yyyy-mm-dd", EncodeDate(1900, 2, 28) + 1, "Thursday 1900-03-01"},
      {"yyyy-mm-dd hh:nn:ss", 0.99999999999, "1899-12-31 00:00:00"},
      {"yyyy/mm/dd", v, "2024/02/29"},
      {"x-q", v, "x-q"},
      {"'unterminated", v, "unterminated"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, c.value), c.text) << '"' << c.format << '"';
  EXPECT_EQ(DateTimeToStr(v), "2/29/2024 1:05:09 PM");
  EXPECT_EQ(DateToStr(v), "2/29/2024");
  EXPECT_EQ(TimeToStr(v), "1:05:09 PM");
  // Nothing that is no date-time breaks the writer.
  EXPECT_NO_THROW(FormatDateTime("c dddd mmmm", std::numeric_limits<double>::quiet_NaN()));
}

TEST(DateTime, TextsReadBackAndBadTextsAreConversionErrors) {
  ClockGuard clock(EncodeDate(2026, 12, 10));
  struct Case {
    const char* text;
    const char* fields;
  } cases[] = {
      {"2/29/2024 1:05:09 PM", "2024-02-29 13:05:09.000"},
      {" 2/29/2024 ", "2024-02-29 00:00:00.000"},
      {"1/2/24", "2024-01-02 00:00:00.000"},
      {"1/2/80", "1980-01-02 00:00:00.000"},
      {"1/2/75", "2075-01-02 00:00:00.000"},
      {"3/4", "2026-03-04 00:00:00.000"},
      {"13:05", "1899-12-30 13:05:00.000"},
      {"1 pm", "1899-12-30 13:00:00.000"},
      {"12 AM", "1899-12-30 00:00:00.000"},
      {"12:00:00.5", "1899-12-30 12:00:00.500"},
      {"12/29/1899 6:00", "1899-12-29 06:00:00.000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(StrToDateTime(c.text)), c.fields) << '"' << c.text << '"';
  EXPECT_EQ(StrToDateTime("12/29/1899 6:00"), -1.25);

  for (TDateTime v : {EncodeDateTime(2024, 2, 29, 13, 5, 9, 0), EncodeDate(2024, 1, 1),
                      EncodeDateTime(1800, 7, 4, 0, 0, 1, 0), EncodeDateTime(2001, 9, 9, 12, 30, 0, 0)}) {
    EXPECT_EQ(StrToDateTime(DateTimeToStr(v)), v) << DateTimeToStr(v);
    EXPECT_EQ(StrToDate(DateToStr(v)), DateOf(v)) << DateToStr(v);
    EXPECT_EQ(Fields(StrToTime(TimeToStr(v))), Fields(TimeOf(v))) << TimeToStr(v);
  }

  for (const char* bad : {"", "x", "2/30/2024", "13/1/2024", "12", "25:00", "13:00 PM", "0:30 AM",
                          "1/2/2024 x", "1//2024", "1:2:3:4", "12:00:00.1234"}) {
    TDateTime v = 42;
    EXPECT_FALSE(TryStrToDateTime(bad, v)) << '"' << bad << '"';
    EXPECT_EQ(v, 42);
    EXPECT_THROW(StrToDateTime(bad), EConvertError) << '"' << bad << '"';
  }
  try {
    StrToDate("2/30/2024");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2/30/2024' is not a valid date");
  }
  EXPECT_THROW(StrToTime("2/3/2024"), EConvertError);
  EXPECT_THROW(StrToDate("12:00"), EConvertError);
}

TEST(DateTime, NowReadsTheClockThatIsSet) {
  {
    ClockGuard clock(EncodeDateTime(2024, 2, 29, 13, 5, 9, 7));
    EXPECT_EQ(Fields(Now()), "2024-02-29 13:05:09.007");
    EXPECT_EQ(Date(), EncodeDate(2024, 2, 29));
    EXPECT_EQ(Fields(Time()), "1899-12-30 13:05:09.007");
  }
  // Back on the system clock: the local time the C library gives.
  const time_t before = time(nullptr);
  const TDateTime now = Now();
  const time_t after = time(nullptr);
  tm local{};
  localtime_r(&before, &local);
  const TDateTime expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                            local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
  EXPECT_GE(now, expected);
  EXPECT_LE(now, expected + double(after - before + 1) / SecsPerDay);
}

// Date-time texts: FormatDateTime's pattern letters and the readers of the
// short date and time formats.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "platform/sys/DateTime.h"
#include "platform/sys/DateTimeCompose.h"

namespace {

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Case-insensitive: does `text` start with `word`?
bool StartsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Upper(text[i]) != Upper(word[i])) return false;
  }
  return true;
}

// Writes one pattern into a text. Nested formats (c, t, ddddd) go one level
// deep only, so a setting that names itself cannot loop.
class DateTimeWriter {
 public:
  explicit DateTimeWriter(TDateTime value) : FValue(value) {
    DecodeDateTime(value, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
  }

  void Append(std::string_view format) {
    if (FLevel >= 2) return;
    ++FLevel;
    char lastToken = ' ';
    F12Hour = false;
    size_t i = 0;
    while (i < format.size()) {
      const char starter = format[i++];
      char token = Upper(starter);
      if (token >= 'A' && token <= 'Z') {
        // "h:mm" means minutes.
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      const std::string_view rest = format.substr(i);
      switch (token) {
        case 'Y':
          if (Count(format, i, starter) <= 2)
            Number(FYear % 100, 2);
          else
            Number(FYear, 4);
          break;
        case 'M':
          Month(Count(format, i, starter));
          break;
        case 'D':
          Day(Count(format, i, starter));
          break;
        case 'H': {
          const int count = Count(format, i, starter);
          Hour(count, format.substr(i));
          break;
        }
        case 'N':
          Number(FMin, std::min(Count(format, i, starter), 2));
          break;
        case 'S':
          Number(FSec, std::min(Count(format, i, starter), 2));
          break;
        case 'Z':
          Number(FMSec, std::min(Count(format, i, starter), 3));
          break;
        case 'T':
          Append(Count(format, i, starter) == 1 ? FormatSettings.ShortTimeFormat
                                                : FormatSettings.LongTimeFormat);
          break;
        case 'A':
          i += AmPm(format.substr(i - 1), starter);
          break;
        case 'C':
          Count(format, i, starter);
          Append(FormatSettings.ShortDateFormat);
          if (FHour != 0 || FMin != 0 || FSec != 0) {
            FText += ' ';
            Append(FormatSettings.LongTimeFormat);
          }
          break;
        case '/':
          FText += FormatSettings.DateSeparator;
          break;
        case ':':
          FText += FormatSettings.TimeSeparator;
          break;
        case '\'':
        case '"': {
          const size_t end = rest.find(starter);
          FText += rest.substr(0, end);
          i = end == std::string_view::npos ? format.size() : i + end + 1;
          break;
        }
        default:
          FText += starter;
          break;
      }
    }
    --FLevel;
  }

  std::string Text() && { return std::move(FText); }

 private:
  // The length of the run of `starter` that began just before i (moving i
  // past it).
  static int Count(std::string_view format, size_t& i, char starter) {
    int n = 1;
    while (i < format.size() && format[i] == starter) {
      ++i;
      ++n;
    }
    return n;
  }

  void Number(int value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    FText += buf;
  }

  void Month(int count) {
    if (count <= 2)
      Number(FMonth, count);
    else if (FMonth >= 1 && FMonth <= 12)
      FText +=
          count == 3 ? FormatSettings.ShortMonthNames[FMonth - 1] : FormatSettings.LongMonthNames[FMonth - 1];
  }

  void Day(int count) {
    const int dow = DayOfWeek(FValue);
    if (count <= 2)
      Number(FDay, count);
    else if (count <= 4 && dow >= 1)
      FText += count == 3 ? FormatSettings.ShortDayNames[dow - 1] : FormatSettings.LongDayNames[dow - 1];
    else if (count == 5)
      Append(FormatSettings.ShortDateFormat);
    else if (count > 5)
      Append(FormatSettings.LongDateFormat);
  }

  // The hour is on the 12-hour clock when the next a (outside quotes, before
  // any other h) starts am/pm, a/p or ampm.
  void Hour(int count, std::string_view rest) {
    bool quoted = false;
    for (size_t k = 0; k < rest.size(); ++k) {
      const char c = rest[k];
      if ((c == 'A' || c == 'a') && !quoted) {
        const std::string_view p = rest.substr(k);
        if (StartsWithNoCase(p, "AM/PM") || StartsWithNoCase(p, "A/P") || StartsWithNoCase(p, "AMPM"))
          F12Hour = true;
        break;
      }
      if (c == 'H' || c == 'h') break;
      if (c == '\'' || c == '"') quoted = !quoted;
    }
    int h = FHour;
    if (F12Hour) {
      if (h == 0)
        h = 12;
      else if (h > 12)
        h -= 12;
    }
    Number(h, std::min(count, 2));
  }

  // At an 'a': writes the am/pm marker it starts (or the letter itself) and
  // returns how many more characters of the format it used.
  size_t AmPm(std::string_view p, char starter) {
    const bool pm = FHour >= 12;
    if (StartsWithNoCase(p, "AM/PM")) {
      FText += p.substr(pm ? 3 : 0, 2);
      F12Hour = true;
      return 4;
    }
    if (StartsWithNoCase(p, "A/P")) {
      FText += p.substr(pm ? 2 : 0, 1);
      F12Hour = true;
      return 2;
    }
    if (StartsWithNoCase(p, "AMPM")) {
      FText += pm ? FormatSettings.TimePMString : FormatSettings.TimeAMString;
      F12Hour = true;
      return 3;
    }
    const int dow = DayOfWeek(FValue);
    if (StartsWithNoCase(p, "AAAA") && dow >= 1) {
      FText += FormatSettings.LongDayNames[dow - 1];
      return 3;
    }
    if (StartsWithNoCase(p, "AAA") && dow >= 1) {
      FText += FormatSettings.ShortDayNames[dow - 1];
      return 2;
    }
    FText += starter;
    return 0;
  }

  TDateTime FValue;
  int FYear, FMonth, FDay, FHour, FMin, FSec, FMSec;
  int FLevel = 0;
  bool F12Hour = false;
  std::string FText;
};

// ---- reading ----------------------------------------------------------------

class DateTimeReader {
 public:
  explicit DateTimeReader(std::string_view text) : FText(text) {}

  void Blanks() {
    while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t')) ++FPos;
  }
  bool AtEnd() {
    Blanks();
    return FPos == FText.size();
  }
  size_t Pos() const { return FPos; }
  void Rewind(size_t pos) { FPos = pos; }

  // Up to `maxDigits` digits; `digits` tells how many were read.
  bool Number(int& value, int& digits, int maxDigits = 4) {
    Blanks();
    value = 0;
    digits = 0;
    while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) {
      if (digits == maxDigits) return false;
      value = value * 10 + (FText[FPos++] - '0');
      ++digits;
    }
    return digits > 0;
  }
  bool Char(char c) {
    Blanks();
    if (FPos < FText.size() && FText[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    Blanks();
    if (!StartsWithNoCase(FText.substr(FPos), word)) return false;
    FPos += word.size();
    return true;
  }

  // month/day[/year], in the order of the short date format.
  bool Date(TDateTime& value) {
    int n[3], digits[3];
    int count = 0;
    if (!Number(n[0], digits[0])) return false;
    count = 1;
    while (count < 3 && Char(FormatSettings.DateSeparator)) {
      if (!Number(n[count], digits[count])) return false;
      ++count;
    }
    if (count < 2) return false;
    int year, month, day;
    DecodeDate(Now(), year, month, day);
    const int currentYear = year;
    month = n[0];
    day = n[1];
    if (count == 3) {
      year = n[2];
      if (digits[2] <= 2) year = FullYear(year, currentYear);
    }
    return TryEncodeDate(year, month, day, value);
  }

  // h[:nn[:ss[.zzz]]] [AM|PM]; a bare hour needs the AM or PM.
  bool Time(TDateTime& value) {
    int h, m = 0, s = 0, ms = 0, digits;
    if (!Number(h, digits, 2)) return false;
    bool hasMinutes = false;
    if (Char(FormatSettings.TimeSeparator)) {
      if (!Number(m, digits, 2)) return false;
      hasMinutes = true;
      if (Char(FormatSettings.TimeSeparator)) {
        if (!Number(s, digits, 2)) return false;
        if (Char('.')) {
          // A fraction of the second: ".5" is 500 ms.
          if (!Number(ms, digits, 3)) return false;
          for (; digits < 3; ++digits) ms *= 10;
        }
      }
    }
    int pm = -1;
    if (Word(FormatSettings.TimeAMString) || Word("A"))
      pm = 0;
    else if (Word(FormatSettings.TimePMString) || Word("P"))
      pm = 1;
    if (pm < 0 && !hasMinutes) return false;
    if (pm >= 0) {
      if (h < 1 || h > 12) return false;
      h = h % 12 + (pm ? 12 : 0);
    }
    return TryEncodeTime(h, m, s, ms, value);
  }

 private:
  static int FullYear(int year, int currentYear) {
    const int window = FormatSettings.TwoDigitYearCenturyWindow;
    const int base = currentYear - window;
    year += base / 100 * 100;
    if (window > 0 && year < base) year += 100;
    return year;
  }

  std::string_view FText;
  size_t FPos = 0;
};

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

}  // namespace

std::string FormatDateTime(std::string_view Format, TDateTime Value) {
  DateTimeWriter writer(Value);
  writer.Append(Format.empty() ? std::string_view("c") : Format);
  return std::move(writer).Text();
}

std::string DateTimeToStr(TDateTime Value) {
  return FormatDateTime("c", Value);
}

std::string DateToStr(TDateTime Value) {
  return FormatDateTime("ddddd", Value);
}

std::string TimeToStr(TDateTime Value) {
  return FormatDateTime("tt", Value);
}

bool TryStrToDate(std::string_view Text, TDateTime& Value) {
  DateTimeReader r(Text);
  TDateTime d;
  if (!r.Date(d) || !r.AtEnd()) return false;
  Value = d;
  return true;
}

bool TryStrToTime(std::string_view Text, TDateTime& Value) {
  DateTimeReader r(Text);
  TDateTime t;
  if (!r.Time(t) || !r.AtEnd()) return false;
  Value = t;
  return true;
}

bool TryStrToDateTime(std::string_view Text, TDateTime& Value) {
  DateTimeReader r(Text);
  TDateTime d = 0, t = 0;
  if (r.Date(d)) {
    if (!r.AtEnd() && (!r.Time(t) || !r.AtEnd())) return false;
  } else {
    r.Rewind(0);
    if (!r.Time(t) || !r.AtEnd()) return false;
  }
  Value = sys::ComposeDateTime(d, t);
  return true;
}

TDateTime StrToDate(std::string_view Text) {
  TDateTime v;
  if (!TryStrToDate(Text, v)) throw EConvertError(Quoted(Text) + " is not a valid date");
  return v;
}

TDateTime StrToTime(std::string_view Text) {
  TDateTime v;
  if (!TryStrToTime(Text, v)) throw EConvertError(Quoted(Text) + " is not a valid time");
  return v;
}

TDateTime StrToDateTime(std::string_view Text) {
  TDateTime v;
  if (!TryStrToDateTime(Text, v)) throw EConvertError(Quoted(Text) + " is not a valid date and time");
  return v;
}

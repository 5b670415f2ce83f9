#include "instruments/plot/iPlotAxisTextFormat.h"

#include <cmath>
#include <exception>

#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"

namespace {

const char* const kUnknown = "Unknown";

std::string FixedText(double Value, int Decimals) {
  return Format("%." + std::to_string(Decimals) + "f", Value);
}

std::string Trimmed(const std::string& S) {
  const auto b = S.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return S.substr(b, S.find_last_not_of(' ') - b + 1);
}

// Unit prefixes from 10^-24 to 10^24, one per power of 1000.
const char* const kPrefixes[] = {"y", "z", "a", "f", "p", "n", "\u00B5", "m", "",
                                 "K", "M", "G", "T", "P", "E", "Z",      "Y"};

std::string ValueText(double Value, double Span, TiPlotScaleType ScaleType, const TiPlotAxisTextFormat& F) {
  if (ScaleType == ipstLinear)
    return FixedText(Value, DecimalsForPrecision(F.Precision, F.PrecisionStyle, 0, Span));
  if (!(Value > 0)) return kUnknown;
  int d = F.Precision;
  if (F.PrecisionStyle != ipsFixedDecimalPoints) {
    const double l = std::log10(Value);
    d = std::isfinite(l) ? std::max(static_cast<int>(F.Precision - 1 - std::trunc(l)), 0) : 0;
  }
  return FixedText(Value, d);
}

std::string PrefixText(double Value, double Span, const TiPlotAxisTextFormat& F) {
  if (!std::isfinite(Value)) return kUnknown;
  const double group = Value == 0 ? 0 : std::trunc(std::log10(std::fabs(Value)) / 3);
  if (group < -8 || group > 8) return kUnknown;
  const int e = 3 * static_cast<int>(group);
  const double v = Value / std::pow(10.0, e);
  const int d = DecimalsForPrecision(F.Precision, F.PrecisionStyle, 0, std::fabs(v));
  if (Span > 1e-10 && std::fabs(Value) < 1e-12) return "0." + std::string(static_cast<std::size_t>(d), '0');
  return FixedText(v, d) + kPrefixes[e / 3 + 8];
}

std::string DateTimeText(double Value, const std::string& DateTimeFormat) {
  if (!DateTimeFormat.empty() && (DateTimeFormat[0] == 'J' || DateTimeFormat[0] == 'j'))
    return FixedText(std::trunc(Value), 0) + " " + FormatDateTime(DateTimeFormat.substr(1), Value);
  return FormatDateTime(DateTimeFormat, Value);
}

std::string Price32ndsText(double Value) {
  if (!std::isfinite(Value)) return kUnknown;
  const double shifted = Value + 1.0 / 512;
  const double whole = std::trunc(shifted);
  const int u = iRound((shifted - whole) * 1024);
  std::string thirtySeconds = std::to_string(u / 32);
  if (thirtySeconds.size() < 2) thirtySeconds.insert(0, "0");
  return FixedText(whole, 0) + "." + thirtySeconds + std::to_string((u % 32) / 4);
}

std::string ThousandsText(double Value, double Span, const TiPlotAxisTextFormat& F) {
  const int d = DecimalsForPrecision(F.Precision, F.PrecisionStyle, 0, Span);
  std::string pattern = "#,#0";
  if (d > 0) pattern += "." + std::string(static_cast<std::size_t>(d), '0');
  return FormatFloat(pattern, Value);
}

}  // namespace

std::string iFormatAxisText(double Value, double Span, TiPlotScaleType ScaleType,
                            const TiPlotAxisTextFormat& TextFormat) {
  try {
    switch (TextFormat.Style) {
      case iptfValue:
        return Trimmed(ValueText(Value, Span, ScaleType, TextFormat));
      case iptfExponent:
        if (TextFormat.PrecisionStyle == ipsSignificantDigits)
          return Trimmed(Format("%." + std::to_string(TextFormat.Precision) + "e", Value));
        if (TextFormat.PrecisionStyle == ipsFixedDecimalPoints)
          return Trimmed(Format("%." + std::to_string(TextFormat.Precision + 1) + "e", Value));
        return kUnknown;
      case iptfPrefix:
        return Trimmed(PrefixText(Value, Span, TextFormat));
      case iptfDateTime:
        return Trimmed(DateTimeText(Value, TextFormat.DateTimeFormat));
      case iptfPrice32nds:
        return Price32ndsText(Value);
      case iptfThousands:
        return Trimmed(ThousandsText(Value, Span, TextFormat));
    }
  } catch (const std::exception&) {
    return "Error";
  }
  return kUnknown;
}

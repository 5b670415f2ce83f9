#include "model/ValueScales.h"

#include "model/CommonConstants.h"
#include "platform/sys/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Truncation toward zero into an int without undefined behaviour: values
// beyond the int range saturate and NaN gives 0.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// The first digit after the decimal point of the value written as a plain
// decimal with 15 significant digits; 0 when that text has no fraction.
int FirstFractionDigit(double value) {
  if (!std::isfinite(value)) return 0;
  // d.dddddddddddddde±x: 15 significant digits, rounded once.
  char text[40];
  const auto result =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view written(text, static_cast<std::size_t>(result.ptr - text));
  const std::size_t e = written.find('e');
  int exponent = 0;
  std::from_chars(written.data() + e + 1 + (written[e + 1] == '+' ? 1 : 0), written.data() + written.size(),
                  exponent);

  std::string digits;
  for (char c : written.substr(0, e))
    if (c != '.') digits += c;
  // The digit of 10^-1 sits at position exponent + 1 of the digit string.
  const int position = exponent + 1;
  if (position < 0 || position >= static_cast<int>(digits.size())) return 0;
  return digits[static_cast<std::size_t>(position)] - '0';
}

}  // namespace

// --- Conversions ----------------------------------------------------------------

double IndexToFreq(int index) {
  return 1000.0 * std::pow(FreqStepRatio, static_cast<double>(index) - FreqIndexOf1kHz);
}

int FreqToIndex(double hz) {
  const double a = std::log(hz * 0.001) / std::log(FreqStepRatio) + FreqIndexOf1kHz;
  const double c = std::trunc(a);
  return TruncToInt(a - c > 0.5 ? c + 1.0 : c);
}

double IndexToPeqGain(int index) {
  return (static_cast<double>(index) - PeqGainIndexZero) * 0.1;
}

int PeqGainToIndex(double db) {
  const double tenths = db * 10.0;
  return TruncToInt(std::trunc(tenths) + PeqGainIndexZero);
}

double IndexToPeqQ(int index) {
  const int i = index & 0xFF;
  const double q = 128.0 / std::pow(QIndexToValueBase, 100 - i);
  // Kept to the two decimals the captions show.
  return StrToFloatDef(Format("%4.2f", q), q);
}

int PeqQToIndex(double q) {
  double r = std::log(128.0 / q) / std::log(QValueToIndexBase);
  // Rounding by the written form makes every table value find its index.
  if (FirstFractionDigit(r) > 4) r += 1.0;
  return TruncToInt(PeqQIndexMax - std::trunc(r));
}

int DelayToSamples(double value, int unit) {
  const double samples = value * SamplesPerMs;
  switch (unit) {
    case DelayUnitMetre:
      return TruncToInt(samples * 1000.0 / SpeedOfSound);
    case DelayUnitFeet:
      return TruncToInt(samples * 1000.0 / SpeedOfSound * MetresPerFoot);
    default:
      return TruncToInt(samples);
  }
}

bool IsNumericText(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == ' '; });
}

std::string RemoveUnitSuffixes(std::string text, std::span<const std::string_view> forms) {
  for (std::string_view form : forms) {
    if (text.find(form) != std::string::npos) text.erase(text.size() - std::min(text.size(), form.size()));
  }
  return text;
}

// --- Display texts -------------------------------------------------------------

std::string FreqText(double hz) {
  if (hz >= 1000.0) return Format("%4.2fKHz", hz / 1000.0);
  return Format("%4.1fHz", hz);
}

std::string FreqBoxText(double hz) {
  if (hz >= 1000.0) return Format("%4.2fKHz", hz / 1000.0);
  return Format(" %4.1fHz", hz);
}

std::string PeqGainText(int index) {
  const double db = IndexToPeqGain(index);
  if (index >= PeqGainIndexZero) return Format("+%3.1fdB", db);
  return Format("%4.1fdB", db);
}

std::string PeqQText(int index) {
  const int i = std::clamp(index, PeqQIndexMin, PeqQIndexMax);
  return Format("%3.2f", PeqQTable[static_cast<std::size_t>(i)]);
}

std::string GainText(int position) {
  if (position >= 0) return Format("+%3.1fdB", position * 0.1);
  // Single precision, as the device's own gain table reads.
  const float v = -static_cast<float>(position);
  const float db = v > 200.0f ? (v - 200.0f) * 0.5f + 20.0f : v * 0.1f;
  return Format("-%3.1fdB", static_cast<double>(db));
}

std::string DelayText(int samples, int unit) {
  const double ms = samples / SamplesPerMs;
  const double metres = samples * static_cast<double>(SpeedOfSound) / SamplesPerMs * 0.001;
  switch (unit) {
    case DelayUnitMetre:
      return Format("%4.3f m", metres);
    case DelayUnitFeet:
      return Format("%4.3f ft", metres * FeetPerMetre);
    default:
      return Format("%4.3f ms", ms);
  }
}

std::string ThresholdText(int position) {
  return Format("%+1.1fdB", position * 0.5);
}

std::string ThresholdWideText(int position) {
  return Format(" %+5.1fdB", position * 0.5);
}

std::string DynTimeText(int position, int width) {
  // position + 1 in 64-bit so that no position can overflow.
  return Format("%*dms", std::clamp(width, 0, 16), static_cast<long long>(position) + 1);
}

std::string CompRatioDisplayText(int index) {
  if (index >= CompRatioLimit) return std::string(CompRatioText[CompRatioLimit]);
  const int i = std::max(index, 0);
  return "1:" + std::string(CompRatioText[static_cast<std::size_t>(i)]);
}

std::string MicGainItemText(int item) {
  const int db = MicGainZeroDbItem - std::clamp(item, 0, MicGainZeroDbItem);
  return db >= 10 ? Format("%ddB", db) : Format("%d dB", db);
}

int MicGainStepToItem(int step) {
  if (step == MicGainLineLevel) return MicGainZeroDbItem;
  return std::clamp(MicGainItemCount - step, 0, MicGainZeroDbItem);
}

int MicGainItemToStep(int item) {
  return MicGainItemCount - item;
}

#include "response/PeqEntry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "model/CommonConstants.h"
#include "model/ValueScales.h"
#include "platform/sys/SysUtils.h"

namespace {

// Three significant digits, two decimals.
std::string FixedThree(double v) {
  return FloatToStrF(v, ffFixed, 3, 2);
}

bool Contains(const std::string& t, std::string_view part) {
  return t.find(part) != std::string::npos;
}

// Only the given characters, and at most one point.
bool CharactersPass(const std::string& t, std::string_view allowed) {
  if (std::count(t.begin(), t.end(), '.') > 1) return false;
  return std::all_of(t.begin(), t.end(), [&](char c) {
    return (c >= '0' && c <= '9') || allowed.find(c) != std::string_view::npos;
  });
}

}  // namespace

std::string PeqFreqText(double hz) {
  return FreqText(hz);
}

std::string PeqQText(double q) {
  return FixedThree(q);
}

std::string PeqGainText(double db) {
  return FloatToStrF(db, ffGeneral, 15, 0) + "dB";
}

double PeqPositionFrequency(int position) {
  return 1000.0 * std::pow(FreqStepRatio, position);
}

int PeqFreqPositionFromHz(double hz) {
  if (!(hz > 0) || !std::isfinite(hz)) return PeqFreqPositionMin;
  double x = std::log(hz * 0.001) / std::log(FreqStepRatio);
  x = std::clamp(x, PeqFreqPositionMin - 1.0, PeqFreqPositionMax + 1.0);
  // Written with two decimals after rounding to three significant digits;
  // a first decimal above 5 moves it a whole step away from zero.
  const std::string written = FixedThree(x);
  double v = sys::ReadLeadingDecimal(written);
  const std::size_t point = written.find('.');
  if (point != std::string::npos && point + 1 < written.size() && written[point + 1] > '5')
    v += v < 0 ? -1 : 1;
  return std::clamp(static_cast<int>(v), PeqFreqPositionMin, PeqFreqPositionMax);
}

int PeqGainPositionTruncated(double db) {
  const double t = db * 10;
  if (!std::isfinite(t)) return 0;
  return static_cast<int>(std::clamp(t, -1e6, 1e6));
}

int PeqGainPositionRounded(double db) {
  const double hundredths = db * 100;
  if (!std::isfinite(hundredths)) return 0;
  const long t = static_cast<long>(std::clamp(hundredths, -1e9, 1e9));
  long pos = t / 10;
  if (std::labs(t % 10) > 5) pos += t < 0 ? -1 : 1;
  return static_cast<int>(pos);
}

int TypedFreqToIndex(double n, int kilo) {
  if (kilo != 0) n *= 1000;
  if (!(n > 0)) return FreqIndexMin;
  const double a = std::log(n * 0.001) / std::log(FreqStepRatio) + FreqIndexOf1kHz;
  const double clamped = std::clamp(a, FreqIndexMin - 1.0, FreqIndexMax + 1.0);
  int i = static_cast<int>(clamped);
  if (clamped - i > 0.5) ++i;
  return std::clamp(i, FreqIndexMin, FreqIndexMax);
}

std::optional<int> ParseTypedFrequency(const std::string& text) {
  static constexpr std::array<std::string_view, 4> units = {"HZ", "Hz", "hZ", "hz"};
  std::string t = RemoveUnitSuffixes(text, units);
  int kilo = 0;
  for (std::string_view k : {std::string_view("k"), std::string_view("K")})
    if (Contains(t, k)) {
      if (!t.empty()) t.pop_back();
      kilo = 1;
    }
  if (t.empty() || t == "." || t == "0" || !CharactersPass(t, ".,")) return std::nullopt;
  // A text that reads as zero ("0.0", "00", ",5") has no frequency either.
  const double n = sys::ReadLeadingDecimal(t);
  if (!(n > 0)) return std::nullopt;
  return TypedFreqToIndex(n, kilo) - FreqIndexOf1kHz;
}

std::optional<int> ParseTypedQ(const std::string& text) {
  std::string t = text;
  if (t.empty() || t == "." || t == "0" || !CharactersPass(t, ".,")) return std::nullopt;
  if (sys::ReadLeadingDecimal(t) > 128) t = "128";
  if (sys::ReadLeadingDecimal(t) <= 0.4) t = "0.4";
  return std::clamp(PeqQToIndex(sys::ReadLeadingDecimal(t)), PeqQPositionMin, PeqQPositionMax);
}

std::optional<int> ParseTypedGain(const std::string& text, int limitDb) {
  static constexpr std::array<std::string_view, 4> units = {"DB", "Db", "dB", "db"};
  std::string t = RemoveUnitSuffixes(text, units);
  if (t.empty() || t == "-" || t == "." || !CharactersPass(t, ".,-") ||
      std::count(t.begin(), t.end(), '-') > 1)
    return std::nullopt;
  if (const std::size_t point = t.find('.'); point != std::string::npos) {
    if (point + 1 >= t.size()) return std::nullopt;
    t.resize(point + 2);  // one decimal stays, the rest is dropped
  }
  const std::string low = "-" + std::to_string(limitDb), high = std::to_string(limitDb);
  if (sys::ReadLeadingDecimal(t) < -limitDb)
    t = low;
  else if (sys::ReadLeadingDecimal(t) > limitDb)
    t = high;
  return static_cast<int>(static_cast<float>(sys::ReadLeadingDecimal(t) * 10));
}

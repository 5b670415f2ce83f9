#include "response/PlotScales.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/sys/SysUtils.h"

int TruncPixel(double v) {
  if (std::isnan(v)) return 0;
  // Far outside any page; keeps later +-offsets inside the int range too.
  constexpr double limit = 1 << 28;
  if (v >= limit) return static_cast<int>(limit);
  if (v <= -limit) return -static_cast<int>(limit);
  return static_cast<int>(v);
}

int AxisPointCount(TFFTNumber number) {
  return 256 << static_cast<int>(number);
}

double AxisTopFrequency(TSampleRate rate) {
  return 24000.0 * (static_cast<int>(rate) + 1);
}

double FrequencyToAxisX(double hz, TFFTNumber number, TSampleRate rate) {
  return AxisPointCount(number) * std::log10(hz) / std::log10(AxisTopFrequency(rate));
}

double AxisXToFrequency(double x, TFFTNumber number, TSampleRate rate) {
  return std::pow(10.0, x * std::log10(AxisTopFrequency(rate)) / AxisPointCount(number));
}

std::string FormatPlotNumber(double value, TStringFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, static_cast<TFloatFormat>(format), precision, digits);
}

namespace {
std::string Printf(const char* format, double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, v);
  return buffer;
}
}  // namespace

std::string CaptionQText(double q) {
  return Printf("Q:%4.2f", q);
}

std::string CaptionFrequencyText(float hz) {
  if (hz < 1000.0f) return Printf("%4.1fHz", hz);
  return Printf("%4.2fKHz", hz * 0.001);
}

std::string CaptionGainText(double db) {
  return Printf("%4.1fdB", db);
}

int CaptionLineTops(unsigned lines, double gain, int tops[3]) {
  int n = 0;
  for (unsigned bit : {clQ, clFrequency, clGain})
    if (lines & bit) ++n;
  // Above the anchor the last line sits at -43; below it the first at +20.
  static constexpr int above[3][3] = {{-43}, {-69, -56}, {-69, -56, -43}};
  static constexpr int below[3][3] = {{20}, {20, 33}, {20, 33, 46}};
  if (n == 0) return 0;
  for (int i = 0; i < n; ++i) tops[i] = gain <= 0 ? above[n - 1][i] : below[n - 1][i];
  return n;
}

std::string FrequencyLabelText(double hz, TStringFloatFormat format, int precision, int digits) {
  if (hz < 1000) return FormatPlotNumber(hz, format, precision, digits) + "Hz";
  return FormatPlotNumber(hz * 0.001, format, precision, digits) + "KHz";
}

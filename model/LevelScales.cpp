#include "model/LevelScales.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>

namespace {

constexpr float SilentLevel = 1e-7f;
constexpr std::array<int, 9> InputThresholds{-50, -40, -30, -20, -5, 0, 5, 10, 16};
constexpr std::array<int, 8> OutputThresholds{-50, -30, -10, -5, 0, 5, 10, 16};

std::span<const int> Thresholds(MeterScale scale) {
  return scale == MeterScale::Input ? std::span<const int>(InputThresholds)
                                    : std::span<const int>(OutputThresholds);
}

}  // namespace

float DecodeLevel(std::uint8_t c0, std::uint8_t c1, std::uint8_t c2) {
  if (c0 == 0xFF && c1 == 0xFF && c2 == 0xFF) return SilentLevel;
  const std::uint32_t bits = (std::uint32_t{c1} << 24) | (std::uint32_t{c0} << 16) | (std::uint32_t{c2} << 8);
  const float value = std::bit_cast<float>(bits);
  if (!std::isfinite(value) || !(value > 0.0f)) return SilentLevel;
  return value;
}

double LevelToDb(float value) {
  if (!std::isfinite(value) || !(value > 0.0f)) value = SilentLevel;
  return 20.0 * std::log10(static_cast<double>(value));
}

int MeterPosition(MeterScale scale, double dB) {
  const auto table = Thresholds(scale);
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i] - 20 >= dB) return static_cast<int>(i);
  return static_cast<int>(table.size());
}

int MeterSegments(MeterScale scale) {
  return static_cast<int>(Thresholds(scale).size());
}

std::string AutoMixGainText(int m, unsigned s) {
  const double g = m == 0 ? 0.0 : -10.0 * std::log10(m + 1.0) * (s + 3.0) / 3.0;
  char text[32];
  std::snprintf(text, sizeof text, "%3.1fdB", g);
  return text;
}

std::string CameraPositionText(int p) {
  if (p == 0) return "None";
  return std::string("In") + static_cast<char>('0' + p);
}

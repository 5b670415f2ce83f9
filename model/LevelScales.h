#pragma once
// The device's level values and the meter scales they light.

#include <cstdint>
#include <span>
#include <string>

// Three payload bytes hold the upper 24 bits of a single-precision float,
// most significant byte second, then first, then third. The all-0xFF marker,
// exactly 0, and anything that is not a finite positive number (the device
// sends magnitudes) read as 1e-7: no segment lit.
float DecodeLevel(std::uint8_t c0, std::uint8_t c1, std::uint8_t c2);
// 20 log10 of a decoded level.
double LevelToDb(float value);

enum class MeterScale { Input, Output };
// Lit segments counted from the bottom: the index of the first threshold t of
// the scale with t - 20 >= dB, or the table's length (9 inputs and effect
// bus, 8 outputs).
int MeterPosition(MeterScale scale, double dB);
int MeterSegments(MeterScale scale);

// The automix gain text of count m (0..7) and slope word s, "%3.1fdB".
std::string AutoMixGainText(int m, unsigned s);
// The camera position text: "None" for 0, else "In" and the digit.
std::string CameraPositionText(int p);

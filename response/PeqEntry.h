#pragma once
// What a PEQ band table does with numbers and typed text: its display
// formats, the roundings of its setters and the checks of typed entries.
// Pure functions; the table calls them.

#include <optional>
#include <string>

inline constexpr int PeqFreqPositionMin = -170;  // FreqIndex - 170
inline constexpr int PeqFreqPositionMax = 130;
inline constexpr int PeqQPositionMin = 0;
inline constexpr int PeqQPositionMax = 100;

// Display formats: frequency ("19.7Hz", "1.00KHz"), Q (fixed, three
// significant digits, two decimals: "0.40", "128.00"), gain (shortest
// decimal and "dB": "0dB", "-3.5dB").
std::string PeqFreqText(double hz);
std::string PeqQText(double q);
std::string PeqGainText(double db);

// Frequency of a frequency position p (-170..130): 1000 * 2^(p/30).
double PeqPositionFrequency(int position);
// The setters' frequency rounding: the position of a frequency in Hz,
// clamped to -170..130 (a frequency of 0 or less, or not a number, is the
// lowest position).
int PeqFreqPositionFromHz(double hz);
// db * 10, truncated toward zero (3.4 gives 34, -3.4 gives -34).
int PeqGainPositionTruncated(double db);
// The tenths rounding of a whole band's gain (3.47 gives 35, -3.47 -35).
int PeqGainPositionRounded(double db);

// Grid index 0..300 of a typed number (times 1000 with the kilo mark): the
// nearest, an exact half down, clamped. The number must be above 0.
int TypedFreqToIndex(double n, int kilo);

// The typed entries. Each returns the new position, or nothing when the
// text is refused (the field then shows the stored value again).
std::optional<int> ParseTypedFrequency(const std::string& text);  // frequency position -170..130
std::optional<int> ParseTypedQ(const std::string& text);          // Q position 0..100
// Gain position in tenths of a dB, clamped to +-limitDb.
std::optional<int> ParseTypedGain(const std::string& text, int limitDb);

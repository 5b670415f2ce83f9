#pragma once
// Value scales: the device and the parameter model hold every parameter as a
// small integer (an index or a fader position); the user sees and types Hz,
// dB, Q, ms, metres, feet and ratios. These pure functions are the single
// definition of the conversions and of their display texts for the whole
// editor. Numbers are always written with a point, whatever the user's locale.
//
// The conversions clamp nothing: every caller limits the result to its own
// control's range. Results too large for an int saturate to its limits, and
// a NaN argument gives 0, so no argument can cause undefined behaviour.

#include <span>
#include <string>
#include <string_view>

// --- Ranges -------------------------------------------------------------------

// FreqIndex: f = 1000 * 2^((i - 170) / 30) Hz.
inline constexpr int FreqIndexMin = 0;
inline constexpr int FreqIndexMax = 300;
inline constexpr int FreqIndexOf1kHz = 170;

// PeqGainIndex: (i - 120) * 0.1 dB.
inline constexpr int PeqGainIndexMin = 0;
inline constexpr int PeqGainIndexMax = 240;
inline constexpr int PeqGainIndexZero = 120;

// PeqQIndex: Q = PeqQTable[i].
inline constexpr int PeqQIndexMin = 0;
inline constexpr int PeqQIndexMax = 100;

// GainPosition: fader -280..120, stored and sent as position + 280.
inline constexpr int GainPositionMin = -280;
inline constexpr int GainPositionMax = 120;
inline constexpr int GainStoredOffset = 280;

// DelaySamples at 48 kHz, 0..680 ms.
inline constexpr int DelaySamplesMax = 32640;
inline constexpr int DelayUnitMs = 0;
inline constexpr int DelayUnitMetre = 1;
inline constexpr int DelayUnitFeet = 2;

// DynThreshold: fader -180..40 in 0.5 dB steps, stored as position + 180.
inline constexpr int DynThresholdMin = -180;
inline constexpr int DynThresholdMax = 40;
inline constexpr int DynThresholdStoredOffset = 180;

// DynTime: position + 1 ms; the main window's attack and release faders.
inline constexpr int DynAttackMax = 998;
inline constexpr int DynReleaseMax = 2999;

// CompRatioIndex 0..15; 15 is the limiter.
inline constexpr int CompRatioIndexMax = 15;
inline constexpr int CompRatioLimit = 15;

// CutSlope: 0 bypass, 1..20 the slope list item + 1.
inline constexpr int CutSlopeBypass = 0;
inline constexpr int CutSlopeMax = 20;

// MicGainStep: 0 line level, s = 1..51 mic gain s - 1 dB. The mic-gain list
// has 51 items "50dB" .. "0 dB"; item i stands for step 51 - i.
inline constexpr int MicGainLineLevel = 0;
inline constexpr int MicGainStepMax = 51;
inline constexpr int MicGainItemCount = 51;
inline constexpr int MicGainZeroDbItem = 50;

// --- Conversions ----------------------------------------------------------------

// Frequency of a FreqIndex; 170 gives exactly 1000 Hz. Tests no range.
double IndexToFreq(int index);
// Nearest FreqIndex of a frequency; an exact half rounds down, and a result
// below 0 is truncated toward zero, never rounded. Non-positive frequencies
// give the lowest int.
int FreqToIndex(double hz);

double IndexToPeqGain(int index);
// The tenths are truncated toward zero before 120 is added
// (-0.05 dB gives 120, -0.15 dB gives 119).
int PeqGainToIndex(double db);

// The Q the response curves and the band captions use: 128 / 1.0594^(100 - i),
// kept to exactly two decimals; only the low 8 bits of the index count. It
// differs a little from PeqQTable[i] (7.15 against 7.1 at 50).
double IndexToPeqQ(int index);
// The Q index of a Q value. Every PeqQTable entry and every IndexToPeqQ
// value maps back to its own index.
int PeqQToIndex(double q);

// A typed delay in DelayUnit 0 ms, 1 m or 2 ft to DelaySamples, truncated.
// Any other unit is taken as ms, as DelayText does.
int DelayToSamples(double value, int unit);

// True when every character is a digit, a point, a comma or a space; an empty
// text is numeric.
bool IsNumericText(std::string_view text);

// Removes, for each form of the list found anywhere in the text, as many
// characters from the end of the text as the form is long. Each form is
// looked for in the text as the forms before it left it.
std::string RemoveUnitSuffixes(std::string text, std::span<const std::string_view> forms);

// --- Display texts -------------------------------------------------------------

// Cut-off and band frequency: "%4.2f" of kHz and "KHz" from 1000 Hz up, else
// "%4.1f" and "Hz" ("1.00KHz", "500.0Hz", "20.16KHz", "19.7Hz").
std::string FreqText(double hz);
// The same as the band and cut-off faders' value boxes write it: below
// 1000 Hz with a leading blank (" 977.2Hz").
std::string FreqBoxText(double hz);

// Gain box of a PeqGainIndex: "+0.0dB" at 120, "+12.0dB" at 240, "-0.1dB" at
// 119, "-12.0dB" at 0.
std::string PeqGainText(int index);
// Q box of a PeqQIndex: PeqQTable entry with two decimals ("7.10"). An index
// outside 0..100 shows the nearest end of the table.
std::string PeqQText(int index);

// Gain of a GainPosition: 0.1 dB steps from -20 to +12 dB, 0.5 dB steps below
// -20 dB ("+0.0dB", "+12.0dB", "-20.0dB", "-20.5dB", "-60.0dB").
std::string GainText(int position);

// Delay of DelaySamples in DelayUnit ("680.000 ms", "233.580 m",
// "766.329 ft"); any other unit shows ms.
std::string DelayText(int samples, int unit);

// Threshold of a DynThreshold position ("+20.0dB", "-90.0dB").
std::string ThresholdText(int position);
// The padded form of the effect bus's threshold and compressor dialog
// (" +20.0dB", "  +5.0dB").
std::string ThresholdWideText(int position);

// Attack or release of a DynTime position: position + 1 and "ms", the number
// right-aligned in `width` places when width is given ("1ms", "  1ms").
std::string DynTimeText(int position, int width = 0);

// Ratio box of a CompRatioIndex: "1:" and CompRatioText, or "Limit" at 15
// and above; a negative index shows index 0.
std::string CompRatioDisplayText(int index);

// Mic-gain list item 0..50: "50dB" .. "10dB", "9 dB" .. "0 dB"; an item
// outside the list shows the nearest end.
std::string MicGainItemText(int item);
// The list item that shows a MicGainStep: line level (0) and step 1 both show
// item 50 ("0 dB"); only line level disables the list.
int MicGainStepToItem(int step);
int MicGainItemToStep(int item);

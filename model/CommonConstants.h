#pragma once
// Constants shared by every window, the strip view, the filter model and the
// parameter model: fixed texts, the scale tables and the colour tables.
// Everything is a compile-time constant, so every unit sees the same single
// copy and nothing has to be built or released at start-up or exit.
// Colours are 0x00BBGGRR values, as TColor holds them in the window layer.

#include <array>
#include <cstdint>
#include <string_view>

// --- Program identity and defaults -----------------------------------------

inline constexpr std::string_view AppTitle = "TAVO DSP Processor Editor";
inline constexpr std::string_view AppVersion = "V1.32";
inline constexpr std::string_view DefaultDeviceIp = "192.168.1.101";

// --- PEQ band types ---------------------------------------------------------

// Items of the band tables' type lists by PeqTypeIndex 0..6, then the bypass
// caption at 7. Each is exactly 12 characters; the windows replace them with
// the texts of the chosen language.
inline constexpr std::array<std::string_view, 8> EqTypeNames = {
    " Peak       ", " Low Shelf  ", " High Shelf ", " Low Cut    ",
    " High Cut   ", " Allpass 1  ", " Allpass 2  ", "   BYPASS   ",
};
inline constexpr int PeqTypeCount = 7;
inline constexpr int EqTypeBypassName = 7;

// BandFilterType of the filter section for each PeqTypeIndex 0..6.
inline constexpr std::array<int, PeqTypeCount> PeqTypeToFilterType = {1, 2, 3, 5, 4, 7, 17};
// BandFilterType of a bypassed band: a unity section.
inline constexpr int BypassedFilterType = 10;

// --- Frequency, Q and delay scale constants ---------------------------------

// Ratio of two neighbouring FreqIndex steps, 2^(1/30); both frequency
// conversions use this stored value.
inline constexpr double FreqStepRatio = 1.023373891996775;

// The two Q conversions use different bases; together with the rounding of
// PeqQToIndex every index still survives a round trip.
inline constexpr double QIndexToValueBase = 1.0594;
inline constexpr double QValueToIndexBase = 1.0596;

// Q values by PeqQIndex 0..100.
inline constexpr std::array<double, 101> PeqQTable = {
    0.4,   0.42, 0.45, 0.47, 0.5,  0.53, 0.56,  0.59,  0.63,  0.67,   //  0
    0.71,  0.75, 0.79, 0.84, 0.89, 0.94, 1.0,   1.06,  1.12,  1.19,   // 10
    1.26,  1.3,  1.4,  1.5,  1.6,  1.7,  1.8,   1.9,   2.0,   2.1,    // 20
    2.2,   2.4,  2.5,  2.7,  2.8,  3.0,  3.2,   3.4,   3.6,   3.8,    // 30
    4.0,   4.2,  4.5,  4.8,  5.0,  5.3,  5.7,   6.0,   6.3,   6.7,    // 40
    7.1,   7.6,  8.0,  8.5,  9.0,  9.5,  10.1,  10.7,  11.3,  12.0,   // 50
    12.7,  13.5, 14.0, 15.0, 16.0, 17.0, 18.0,  19.0,  20.0,  21.0,   // 60
    23.0,  24.0, 25.0, 27.0, 29.0, 30.0, 32.0,  34.0,  36.0,  38.0,   // 70
    40.0,  43.0, 45.0, 48.0, 51.0, 54.0, 57.0,  60.0,  64.0,  68.0,   // 80
    72.0,  76.0, 81.0, 85.0, 91.0, 96.0, 102.0, 108.0, 114.0, 121.0,  // 90
    128.0,                                                            // 100
};

// Milliseconds per sample at the device's 48 kHz.
inline constexpr double MsPerSample = 1.0 / 48.0;
inline constexpr double SamplesPerMs = 48.0;
// Metres per second; held in single precision as the delay texts expect.
inline constexpr float SpeedOfSound = 343.5f;
inline constexpr double FeetPerMetre = 3.2808;
inline constexpr double MetresPerFoot = 0.30480370641307;  // 1 / 3.2808

// Unit captions of the delay texts by DelayUnit 0 ms, 1 m, 2 ft.
inline constexpr std::array<std::string_view, 3> DelayUnitTexts = {" ms", "  m", " ft"};

// Written forms of a unit that typed entries may carry. A handler removes,
// for each form found anywhere in the text, as many characters from the end
// of the text as the form is long (RemoveUnitSuffixes). Compressor and gate
// times and delays in ms share one list.
inline constexpr std::array<std::string_view, 4> GainSuffixes = {"dB", "DB", "db", "Db"};
inline constexpr std::array<std::string_view, 4> TimeSuffixes = {"ms", "Ms", "mS", "MS"};
inline constexpr std::array<std::string_view, 2> MetreSuffixes = {"m", "M"};
inline constexpr std::array<std::string_view, 4> FeetSuffixes = {"ft", "Ft", "fT", "FT"};

// --- Compressor ratio -------------------------------------------------------

// By CompRatioIndex 0..15; index 15 is the limiter. Its value 20.1 only
// orders typed ratios; a limiter is drawn flat and never divided by it.
inline constexpr std::array<std::string_view, 16> CompRatioText = {
    "1.0", "1.1", "1.3", "1.5", "1.7", "2.0",  "2.5",  "3.0",
    "3.5", "4.0", "5.0", "6.0", "8.0", "10.0", "20.0", "Limit",
};
inline constexpr std::array<double, 16> CompRatioValue = {
    1.0, 1.1, 1.3, 1.5, 1.7, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0, 6.0, 8.0, 10.0, 20.0, 20.1,
};

// --- Cut (high-pass and low-pass) slopes -------------------------------------

// Long names by CutSlope 0..20, each exactly 11 characters.
inline constexpr std::array<std::string_view, 21> CutSlopeNames = {
    "  BYPASS   ", "BUTTER-06dB", "BESSEL-06dB", "BUTTER-12dB", "BESSEL-12dB", "LINK/R-12dB", "BUTTER-18dB",
    "BESSEL-18dB", "BUTTER-24dB", "BESSEL-24dB", "LINK/R-24dB", "BUTTER-30dB", "BESSEL-30dB", "BUTTER-36dB",
    "BESSEL-36dB", "LINK/R-36dB", "BUTTER-42dB", "BESSEL-42dB", "BUTTER-48dB", "BESSEL-48dB", "LINK/R-48dB",
};

// Items of the main window's slope lists; item i is CutSlope i + 1
// (BW Butterworth, BL Bessel, LK Linkwitz-Riley; dB per octave).
inline constexpr std::array<std::string_view, 20> CutSlopeComboItems = {
    "BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18", "BW -24", "BL -24", "LK -24",
    "BW -30", "BL -30", "BW -36", "BL -36", "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48",
};

// Section code of each CutSlope: 0 bypass, 1..8 Butterworth of order 1..8,
// 9..16 Bessel of order 1..8, 17..20 Linkwitz-Riley 12, 24, 36, 48 dB.
inline constexpr std::array<int, 21> CutSlopeOrder = {
    0, 1, 9, 2, 10, 17, 3, 11, 4, 12, 18, 5, 13, 6, 14, 19, 7, 15, 8, 16, 20,
};
// The response synthesis knows the same table by this name.
inline constexpr const std::array<int, 21>& SlopeOrder = CutSlopeOrder;

inline constexpr int CutSectionBypass = 0;
inline constexpr int CutSectionButterworthFirst = 1;  // order 1
inline constexpr int CutSectionBesselFirst = 9;       // order 1
inline constexpr int CutSectionLinkwitzFirst = 17;    // 12 dB per octave
inline constexpr int CutSectionOrders = 8;

// Prototype coefficients of the crossover sections, normalised to the
// cut-off frequency, by order 1..8 (index order - 1). A coefficient of 0
// marks an empty place.
//
// Butterworth: the first-order section 1 / (1 + s) when FirstOrder is 1, then
// second-order sections 1 / (1 + P0 s + s^2).
struct ButterworthOrder {
  float FirstOrder;
  std::array<float, 4> SecondOrderP0;
};
inline constexpr std::array<ButterworthOrder, CutSectionOrders> ButterworthSectionTable = {{
    {1.0f, {}},
    {0.0f, {1.4142f}},
    {1.0f, {1.0f}},
    {0.0f, {0.7654f, 1.8478f}},
    {1.0f, {0.618f, 1.618f}},
    {0.0f, {0.5176f, 1.4142f, 1.9319f}},
    {1.0f, {0.445f, 1.247f, 1.8019f}},
    {0.0f, {0.3902f, 1.1111f, 1.6629f, 1.9616f}},
}};

// Bessel, normalised to -3 dB at the cut-off: the first-order section
// 1 / (1 + P0 s) with P0 = FirstOrder, then second-order sections
// 1 / (1 + P0 s + P1 s^2).
struct BesselSection {
  float P0;
  float P1;
};
struct BesselOrder {
  float FirstOrder;
  std::array<BesselSection, 4> SecondOrder;
};
inline constexpr std::array<BesselOrder, CutSectionOrders> BesselSectionTable = {{
    {1.0f, {}},
    {0.0f, {{{1.3617f, 0.618f}}}},
    {0.756f, {{{0.9996f, 0.4772f}}}},
    {0.0f, {{{1.3397f, 0.4889f}, {0.7743f, 0.389f}}}},
    {0.6656f, {{{1.1402f, 0.4128f}, {0.6216f, 0.3245f}}}},
    {0.0f, {{{1.2217f, 0.3887f}, {0.9686f, 0.3505f}, {0.5131f, 0.2756f}}}},
    {0.5937f, {{{1.0944f, 0.3395f}, {0.8304f, 0.3011f}, {0.4332f, 0.2381f}}}},
    {0.0f, {{{1.1112f, 0.3126f}, {0.9754f, 0.2979f}, {0.7202f, 0.2621f}, {0.3728f, 0.2087f}}}},
}};

// --- Colours ------------------------------------------------------------------

// Response curve colour of each channel strip 0..15.
inline constexpr std::array<std::uint32_t, 16> StripCurveColors = {
    0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xA56E3A, 0x808080,
    0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xF0CAA6, 0xF0FBFF,
};

// Marker colour of each band slot: fourteen colours, repeated three times.
inline constexpr std::array<std::uint32_t, 14> BandMarkerPalette = {
    0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFF0000, 0xF0CAA6,
    0x800080, 0x808000, 0x000080, 0xF0FBFF, 0x008080, 0x808080, 0x800000,
};
inline constexpr std::array<std::uint32_t, 42> BandMarkerColors = [] {
  std::array<std::uint32_t, 42> colours{};
  for (std::size_t i = 0; i < colours.size(); ++i)
    colours[i] = BandMarkerPalette[i % BandMarkerPalette.size()];
  return colours;
}();

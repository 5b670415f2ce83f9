#pragma once
// The numerics behind every response curve: one second-order section per
// band, designed by the bilinear transform at 96 kHz, and its magnitude (dB)
// or phase (units of 10 degrees) on the 4096-point logarithmic grid that the
// response plots share. No drawing here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

inline constexpr int ResponsePoints = 4096;
inline constexpr double DesignSampleRate = 96000.0;
// Top of the grid: point i lies at GridTopHz^(i / 4096).
inline constexpr double GridTopHz = 48000.0;
// Radians to units of 10 degrees, so that +-180 degrees reads +-18.
inline constexpr double PhaseUnitsPerRadian = 18.0 / 180.0 * 180.0 / 3.14159265358979323846;
// Half a turn in phase units.
inline constexpr double HalfTurn = 18.0;

// BandFilterType codes.
enum BandFilterTypeCode {
  ftPeak = 1,
  ftLowShelf = 2,
  ftHighShelf = 3,
  ftHighPass2 = 4,
  ftLowPass2 = 5,
  ftBandPass = 6,
  ftAllpass1 = 7,
  ftLowPass1 = 8,
  ftHighPass1 = 9,
  ftUnity = 10,
  ftCutLowPass1 = 11,
  ftCutLowPass2 = 12,
  ftCutLowPass2P1 = 13,
  ftCutHighPass1 = 14,
  ftCutHighPass2 = 15,
  ftCutHighPass2P1 = 16,
  ftAllpass2 = 17,
};

// A band's values on the grid. Copies share one array until one of them is
// written (through any non-const access), so bands never set, unity
// sections and the overlay copies of a total hold no array of their own.
class ResponseCurve {
 public:
  using Values = std::array<double, ResponsePoints>;
  // All zero.
  ResponseCurve();
  static constexpr std::size_t size() { return ResponsePoints; }
  const double* data() const { return FValues->data(); }
  double* data() { return Own().data(); }
  const double& operator[](std::size_t i) const { return (*FValues)[i]; }
  double& operator[](std::size_t i) { return Own()[i]; }
  const double* begin() const { return data(); }
  const double* end() const { return data() + size(); }
  double* begin() { return data(); }
  double* end() { return data() + size(); }
  void fill(double v) { Own().fill(v); }
  bool operator==(const ResponseCurve& other) const {
    return FValues == other.FValues || *FValues == *other.FValues;
  }
  // Whether two curves hold one array (for tests of the sharing).
  bool SharesWith(const ResponseCurve& other) const { return FValues == other.FValues; }

 private:
  Values& Own();
  std::shared_ptr<Values> FValues;  // never null
};

// One filter section with its response.
struct PlotBand {
  float P0 = 0.0f;  // prototype coefficients of the crossover sections 11..16
  float P1 = 0.0f;
  std::uint8_t PhaseMode = 0;  // 1: Response holds phase, 0: magnitude
  int FilterType = ftHighShelf;
  double Frequency = 1000.0;  // Hz
  double Gain = 0.0;          // dB
  double Q = 0.4;
  ResponseCurve Response;
};

struct BiquadCoefficients {
  double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};

// Frequency in Hz of grid point i (0..4095).
double GridFrequency(int i);
// Horizontal position of a frequency on the grid: 4096 * log10(f) / log10(48000).
double FrequencyToGridX(double hz);

// Coefficients of a band's section; false (and `out` untouched) for a type
// outside 1..17.
bool DesignBiquad(const PlotBand& band, BiquadCoefficients& out);

// Fills band.Response from the coefficients: magnitude in dB, or phase
// folded by the band's type into the plot's +-18 span (PhaseMode 1).
void EvaluateResponse(PlotBand& band, const BiquadCoefficients& c);

// Folds a summed phase into -18..18; exact +-18 stay.
double WrapPhaseTotal(double s);

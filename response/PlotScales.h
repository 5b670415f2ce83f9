#pragma once
// Pure helpers of the response plots: value-to-pixel truncation, the
// frequency index axis, number and caption texts. No drawing here.

#include <string>

#include "response/PlotPages.h"

// Truncation toward zero of a pixel value; values beyond the int range (and
// infinities) saturate, NaN gives 0, so no curve value can make a pixel
// conversion undefined.
int TruncPixel(double v);

// Curve points of the frequency axis: 256 * 2^number.
int AxisPointCount(TFFTNumber number);
// Top frequency of the axis: 24000 * (rate + 1) Hz.
double AxisTopFrequency(TSampleRate rate);
// Position of a frequency on the frequency index axis, and back.
double FrequencyToAxisX(double hz, TFFTNumber number, TSampleRate rate);
double AxisXToFrequency(double x, TFFTNumber number, TSampleRate rate);

// The class library's float-to-text with a label format.
std::string FormatPlotNumber(double value, TStringFloatFormat format, int precision, int digits);

// Caption lines: "Q:%4.2f", "%4.1fHz" below 1000 Hz or "%4.2fKHz", "%4.1fdB".
std::string CaptionQText(double q);
std::string CaptionFrequencyText(float hz);
std::string CaptionGainText(double db);

// Which caption lines a BandCaptionCode shows.
enum CaptionLine : unsigned { clQ = 1, clFrequency = 2, clGain = 4 };
// Tops of the caption lines (Q, frequency, gain order, only those shown)
// relative to the anchor: above it for a gain of 0 or less, below it else.
// Returns the number of lines written into tops.
int CaptionLineTops(unsigned lines, double gain, int tops[3]);

// The ten frequency labels (log10 of the frequency), in drawing order.
inline constexpr double FrequencyLabelLogs[10] = {
    1.301029996, 2.0, 3.0, 4.0, 4.301029996, 1.698970004, 2.301029996, 2.698970004, 3.301029996, 3.698970004};
// A frequency label's text: below 1000 the number and "Hz", from 1000 the
// thousands and "KHz".
std::string FrequencyLabelText(double hz, TStringFloatFormat format, int precision, int digits);

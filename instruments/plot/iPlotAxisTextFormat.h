#pragma once
// The axis text formatter: the texts of tick labels, and the values the
// legend, the data cursor and hints show for an axis, in six styles.

#include <string>

#include "instruments/base/iDrawing.h"

// The scale of an axis: linear or base-10 logarithmic.
enum TiPlotScaleType { ipstLinear, ipstLog10 };
enum TiPlotTextFormat { iptfValue, iptfExponent, iptfPrefix, iptfDateTime, iptfPrice32nds, iptfThousands };

struct TiPlotAxisTextFormat {
  TiPlotTextFormat Style = iptfValue;
  std::string DateTimeFormat = "hh:nn:ss";
  int Precision = 3;
  TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;
};

// The text of Value on a scale of the given span and type: "Unknown" for a
// value the style cannot show, "Error" when formatting fails.
std::string iFormatAxisText(double Value, double Span, TiPlotScaleType ScaleType,
                            const TiPlotAxisTextFormat& TextFormat);

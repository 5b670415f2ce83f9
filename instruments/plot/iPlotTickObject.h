#pragma once
// Axis ticks: where the major and minor ticks of a scale fall, spaced so
// that the labels do not collide, with the text of each major label.

#include <functional>
#include <string>
#include <vector>

#include "instruments/plot/iPlotAxisTextFormat.h"

enum TiPlotTickType { ipttMajor, ipttMinor };

struct TiPlotTickObject {
  TiPlotTickType TickType = ipttMajor;
  double Position = 0;
  int PositionPixels = 0;
  std::string Text;
  bool Show = false;
};

// What the tick walk needs of an axis. LabelFootprint is the room one label
// takes along the axis, separation included, measured by the caller.
struct TiPlotTickInput {
  double Min = 0;
  double Span = 100;
  TiPlotScaleType ScaleType = ipstLinear;
  int ScaleLength = 0;
  int LabelFootprint = 1;
  double DesiredStart = 0;
  double DesiredIncrement = 0;
  int MinorCount = 1;
  bool LabelsVisible = true;
  TiPlotTextFormat Style = iptfValue;
};

struct TiPlotTickResult {
  std::vector<TiPlotTickObject> Ticks;
  double MajorIncrement = 0;
  double MinorIncrement = 0;
  // The major step counts months or years (date-time labels).
  bool MonthMode = false;
  bool YearMode = false;
  // The scale after the date ranges' clamps (unchanged otherwise).
  double Min = 0;
  double Span = 0;
};

// Builds the ticks of a scale; OnScale tells whether a value lies on the
// scale and LabelText gives a major tick's text.
TiPlotTickResult iBuildAxisTicks(const TiPlotTickInput& Input, const std::function<bool(double)>& OnScale,
                                 const std::function<std::string(double)>& LabelText);

// Axis ticks: increments chosen so labels fit, the walk from the start
// position, logarithmic decades, date steps and the runaway guard.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "instruments/plot/iPlotTickObject.h"

namespace {

struct Built {
  TiPlotTickResult R;
  std::vector<double> Majors, Minors;
  std::vector<std::string> Texts;
};

Built Build(const TiPlotTickInput& In, int Precision = 3) {
  TiPlotAxisTextFormat f;
  f.Precision = Precision;
  f.Style = In.Style;
  const double lo = In.Min, hi = In.Min + In.Span, tol = In.Span * 1e-9;
  Built b;
  b.R = iBuildAxisTicks(
      In, [&](double v) { return v >= lo - tol && v <= hi + tol; },
      [&](double v) { return iFormatAxisText(v, In.Span, In.ScaleType, f); });
  for (const TiPlotTickObject& t : b.R.Ticks) {
    if (t.TickType == ipttMajor) {
      b.Majors.push_back(t.Position);
      b.Texts.push_back(t.Text);
    } else {
      b.Minors.push_back(t.Position);
    }
  }
  return b;
}

std::vector<double> Range(double From, double To, double Step) {
  std::vector<double> r;
  for (double v = From; v <= To + Step / 1000; v += Step) r.push_back(v);
  return r;
}

TEST(PlotTickObject, DesiredIncrementWhenLabelsFit) {
  TiPlotTickInput in;
  in.Min = -100;
  in.Span = 120;
  in.DesiredStart = 20;
  in.DesiredIncrement = 10;
  in.MinorCount = 4;
  in.ScaleLength = 600;
  in.LabelFootprint = 40;  // 15 labels fit
  Built b = Build(in, 2);
  EXPECT_EQ(b.Majors, Range(-100, 20, 10));
  EXPECT_EQ(b.Texts.front(), "-100");
  EXPECT_EQ(b.Texts.back(), "20");
  EXPECT_EQ(b.Minors.size(), 48u);
  EXPECT_DOUBLE_EQ(b.Minors.front(), -98);
  EXPECT_DOUBLE_EQ(b.R.MinorIncrement, 2);

  in.LabelFootprint = 100;  // 6 fit: the desired 10 is not honoured
  b = Build(in, 2);
  EXPECT_EQ(b.R.MajorIncrement, 20);
  EXPECT_EQ(b.Majors, Range(-100, 20, 20));
}

TEST(PlotTickObject, DecimalStepsAndStart) {
  struct Case {
    double Min, Span;
    int Fit;
    double Major, First;
  } cases[] = {
      {0, 100, 10, 10, 0},
      {0, 100, 4, 50, 0},
      {3, 7, 20, 0.5, 3},
      {-0.013, 0.05, 5, 0.01, -0.01},
  };
  for (const Case& c : cases) {
    TiPlotTickInput in;
    in.Min = c.Min;
    in.Span = c.Span;
    in.MinorCount = 0;
    in.ScaleLength = c.Fit * 10;
    in.LabelFootprint = 10;
    Built b = Build(in);
    EXPECT_DOUBLE_EQ(b.R.MajorIncrement, c.Major) << c.Span;
    ASSERT_FALSE(b.Majors.empty());
    EXPECT_NEAR(b.Majors.front(), c.First, 1e-12);
    for (std::size_t i = 1; i < b.Majors.size(); ++i)
      EXPECT_NEAR(b.Majors[i] - b.Majors[i - 1], c.Major, 1e-12);
  }
}

TEST(PlotTickObject, LogDecades) {
  TiPlotTickInput in;
  in.Min = 1;
  in.Span = 999;
  in.ScaleType = ipstLog10;
  in.ScaleLength = 300;
  in.LabelFootprint = 20;
  Built b = Build(in);
  EXPECT_EQ(b.Majors, (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(b.Minors.size(), 24u);
  EXPECT_EQ(b.Minors[8], 20);
  EXPECT_EQ(b.Texts[1], "10.0");

  in.Span = 1e12 - 1;  // twelve decades, room for three labels: every 5th
  in.ScaleLength = 60;
  b = Build(in);
  EXPECT_EQ(b.Majors, (std::vector<double>{1, 1e5, 1e10}));
  EXPECT_TRUE(b.Minors.empty());
}

TEST(PlotTickObject, DateTimeSteps) {
  TiPlotTickInput in;
  in.Style = iptfDateTime;
  in.Min = 45000;
  in.Span = 1.0 / 24;  // one hour, seven labels: every 10 minutes
  in.MinorCount = 1;
  in.ScaleLength = 70;
  in.LabelFootprint = 10;
  Built b = Build(in);
  EXPECT_NEAR(b.R.MajorIncrement * 1440, 10, 1e-9);
  EXPECT_EQ(b.Majors.size(), 7u);
  EXPECT_EQ(b.Texts[1], "00:10:00");

  in.Span = 365;  // a year, seven labels: every two months
  b = Build(in);
  EXPECT_TRUE(b.R.MonthMode);
  EXPECT_EQ(b.R.MajorIncrement, 2);
  EXPECT_TRUE(b.Minors.empty());
  ASSERT_GE(b.Majors.size(), 2u);
  for (double m : b.Majors) {
    int y, mo, d;
    DecodeDate(m, y, mo, d);
    EXPECT_EQ(d, 1);
  }

  in.Span = 3650;  // ten years, two labels: every five years
  in.ScaleLength = 20;
  b = Build(in);
  EXPECT_TRUE(b.R.YearMode);
  EXPECT_EQ(b.R.MajorIncrement, 5);
}

TEST(PlotTickObject, RunawayWalkEndsInOneMiddleTick) {
  TiPlotTickInput in;
  in.Min = 1e17;  // the increment is lost in the start value
  in.Span = 1;
  in.ScaleLength = 100;
  in.LabelFootprint = 10;
  Built b = Build(in);
  ASSERT_EQ(b.R.Ticks.size(), 1u);
  EXPECT_EQ(b.Majors.front(), 1e17 + 0.5);
}

}  // namespace

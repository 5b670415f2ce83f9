#include "instruments/plot/iPlotTickObject.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/sys/DateTime.h"

namespace {

constexpr std::size_t kMaxTicks = 5000;

class TTickBuilder {
 public:
  TTickBuilder(const TiPlotTickInput& In, const std::function<bool(double)>& OnScale,
               const std::function<std::string(double)>& LabelText)
      : FIn(In), FOnScale(OnScale), FLabelText(LabelText) {
    R.Min = In.Min;
    R.Span = In.Span;
  }

  TiPlotTickResult Build() {
    int n = std::max(FIn.ScaleLength / std::max(FIn.LabelFootprint, 1), 1);
    if (FIn.ScaleType == ipstLog10) {
      const double m = R.Min <= 0 ? 1 : R.Min;
      const double decades = std::log10(m + R.Span) - std::log10(m);
      if (decades > 1) {
        BuildLog(n, m, decades);
        return R;
      }
    }
    double& major = R.MajorIncrement;
    int k = 0;
    if (R.Span <= 1e-299) {
      k = 1;
      major = R.Span;
    }
    const double desired = FIn.DesiredIncrement;
    if (k == 0 && desired != 0 && !FIn.LabelsVisible &&
        R.Span / desired < static_cast<double>(FIn.ScaleLength) / (FIn.MinorCount + 1)) {
      k = n = RoundCount(R.Span / desired);
      major = desired;
    }
    if (k == 0 && desired != 0 && n > R.Span / desired) {
      k = n = RoundCount(R.Span / desired);
      major = desired;
    }
    n = std::max(n, 1);
    if (k == 0) {
      if (FIn.Style == iptfDateTime)
        k = DateTimeSteps(n);
      else if (FIn.Style == iptfPrice32nds)
        k = ThirtySecondSteps(n);
      else
        k = DecimalSteps(n);
    }
    if (k < 2 && n > 1) {
      major /= 2;
      k = 2;
    }
    if (n < k) major = R.Span / n;
    R.MinorIncrement = major / (FIn.MinorCount + 1);
    try {
      Walk(StartPosition());
    } catch (const std::exception&) {
      Fallback();  // a date the calendar cannot hold
    }
    return R;
  }

 private:
  static int RoundCount(double X) {
    return static_cast<int>(std::clamp(std::nearbyint(X), 0.0, 2147483647.0));
  }

  bool OnScale(double P) const { return (FIn.ScaleType != ipstLog10 || P > 0) && FOnScale(P); }

  void Add(double P, TiPlotTickType Type) {
    if (!OnScale(P)) return;
    TiPlotTickObject t;
    t.TickType = Type;
    t.Position = P;
    if (Type == ipttMajor) t.Text = FLabelText(P);
    R.Ticks.push_back(std::move(t));
  }

  void Fallback() {
    R.Ticks.clear();
    TiPlotTickObject t;
    t.Position = R.Min + R.Span / 2;
    t.Text = FLabelText(t.Position);
    R.Ticks.push_back(std::move(t));
  }

  int DecimalSteps(int n) {
    int d = static_cast<int>(std::trunc(std::log10(R.Span) - 1 - std::log10(n)));
    for (;; ++d) {
      const double e = std::pow(10.0, d);
      for (double step : {e, 2 * e, 5 * e}) {
        if (n >= R.Span / step) {
          R.MajorIncrement = step;
          return RoundCount(R.Span / step);
        }
      }
    }
  }

  int ThirtySecondSteps(int n) {
    for (double step = 1.0 / 256; step <= 0.5; step *= 2) {
      if (n >= R.Span / step) return Take(step, static_cast<int>(std::trunc(R.Span / step)));
    }
    for (int i = 0;; ++i) {
      const double h = std::trunc(std::pow(10.0, i));
      for (double step : {h, 2 * h, 5 * h}) {
        if (n >= R.Span / step) return Take(step, static_cast<int>(std::trunc(R.Span / step)));
      }
    }
  }

  int Take(double Step, int k) {
    R.MajorIncrement = Step;
    return k;
  }

  int DateTimeSteps(int n) {
    const int a = n - 1;
    struct Unit {
      int Units;
      double Days;  // one unit in days
      std::vector<int> Steps;
    } const units[] = {
        {DateTimeToMilliseconds(R.Span), 1.0 / 86400000, {1, 2, 5, 10, 20, 50, 100, 200, 500}},
        {DateTimeToSeconds(R.Span), 1.0 / 86400, {1, 2, 5, 10, 15, 20, 30}},
        {DateTimeToMinutes(R.Span), 1.0 / 1440, {1, 2, 5, 10, 15, 20, 30}},
        {DateTimeToHours(R.Span), 1.0 / 24, {1, 2, 4, 6, 12}},
        {static_cast<int>(std::clamp(std::trunc(R.Span), 0.0, 2147483647.0)), 1, {1, 7, 14}},
    };
    for (const Unit& u : units) {
      for (int s : u.Steps) {
        if (a >= u.Units / s) return Take(s * u.Days, std::max(u.Units / s, 1));
      }
    }
    const double days = std::trunc(R.Span);
    const struct {
      int Months;
      double Days;
    } months[] = {{1, 31}, {2, 61}, {3, 92}, {6, 183}};
    for (const auto& m : months) {
      if (a >= std::trunc(days / m.Days)) {
        R.MonthMode = true;
        return Take(m.Months, std::max(RoundCount(std::trunc(days / m.Days)), 1));
      }
    }
    R.YearMode = true;
    for (int i = 0;; ++i) {
      const double h = std::trunc(std::pow(10.0, i));
      for (double y : {h, 2 * h, 5 * h}) {
        const double count = std::trunc(days / (y * 365));
        if (a >= count) return Take(y, std::max(RoundCount(count), 1));
      }
    }
  }

  // Keeps month and year walks inside the calendar.
  void ClampDateScale(double LowestMin) {
    R.Min = std::clamp(R.Min, LowestMin, 2593224.0);
    R.Span = std::min(R.Span, 36525.0);
    R.MajorIncrement = std::max(R.MajorIncrement, 1.0);
  }

  double StartPosition() {
    const double major = R.MajorIncrement;
    if (FIn.DesiredStart != 0 && R.Min <= FIn.DesiredStart && FIn.DesiredStart <= R.Min + R.Span) {
      double p = FIn.DesiredStart;
      while (p > R.Min && p - major != p) p -= major;
      return p;
    }
    if (R.MonthMode) {
      ClampDateScale(0);
      const int m = std::max(iRound(R.MajorIncrement), 1);
      int year, month, day;
      DecodeDate(R.Min, year, month, day);
      TDateTime p = RecodeDate(R.Min, year, std::max((month / m) * m, 1), 1);
      return IncMonth(p, -m);
    }
    if (R.YearMode) {
      ClampDateScale(-182625);
      const int m = iRound(R.MajorIncrement);
      int year, month, day;
      DecodeDate(R.Min, year, month, day);
      if (m != 0) year = (year / m) * m;
      TDateTime p = IncYear(RecodeYear(R.Min, year), -m);
      DecodeDate(p, year, month, day);
      return RecodeDate(p, year, 1, 1);
    }
    return std::trunc(R.Min / major) * major - major;
  }

  bool Guard(double p) {
    if (R.Ticks.size() <= kMaxTicks && p + R.MinorIncrement != p) return false;
    Fallback();
    return true;
  }

  void Walk(double p) {
    const double major = R.MajorIncrement, minor = R.MinorIncrement;
    const bool dates = R.MonthMode || R.YearMode;
    const int steps = iRound(major);
    while (p <= R.Min + R.Span + major) {
      Add(p, ipttMajor);
      if (FIn.MinorCount >= 1 && !dates && minor != 0) {
        for (int i = 0; i < FIn.MinorCount; ++i) {
          p += minor;
          Add(p, ipttMinor);
        }
        if (Guard(p)) return;
        p += minor;
      } else {
        if (R.MonthMode) {
          p = IncMonth(p, steps);
        } else if (R.YearMode) {
          p = IncYear(p, steps);
        } else {
          if (p + major == p) return;
          p += major;
        }
        if (Guard(p)) return;
      }
    }
  }

  void BuildLog(int n, double m, double decades) {
    double step = 1;
    double g;
    if (n >= decades) {
      g = std::trunc(std::log10(m)) - 1;
    } else {
      step = 200;
      for (double s : {2, 5, 10, 20, 50, 100}) {
        if (n >= decades / s) {
          step = s;
          break;
        }
      }
      g = std::trunc(std::log10(m));
    }
    for (; std::pow(10.0, g) <= R.Span + m; g += step) {
      const double v = std::pow(10.0, g);
      Add(v, ipttMajor);
      if (step == 1)
        for (int i = 2; i <= 9; ++i) Add(i * v, ipttMinor);
    }
  }

  const TiPlotTickInput& FIn;
  const std::function<bool(double)>& FOnScale;
  const std::function<std::string(double)>& FLabelText;
  TiPlotTickResult R;
};

}  // namespace

TiPlotTickResult iBuildAxisTicks(const TiPlotTickInput& Input, const std::function<bool(double)>& OnScale,
                                 const std::function<std::string(double)>& LabelText) {
  return TTickBuilder(Input, OnScale, LabelText).Build();
}

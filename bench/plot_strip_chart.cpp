// Painting a strip chart. One paint of a 100,000-point fast trace against
// the same plot holding one point per pixel column (the floor): the trace's
// per-column reduction should keep the ratio small. And a polynomial curve
// through 300 points against the straight line through the same points
// (its floor): N squared per column shows in that ratio. Each benchmark's
// line carries "floor_ms" (the floor's time per paint) and "ratio" (its
// own time over the floor's), measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "instruments/plot/iPlot.h"
#include "instruments/plot/iPlotDataView.h"
#include "bench/BenchApp.h"

namespace {

constexpr int kWidth = 800, kHeight = 400;

struct Chart {
  explicit Chart(int Points, TiPlotInterpolationStyle Style) {
    plot.SetBounds(0, 0, kWidth, kHeight);
    TiPlotChannel* c = plot.GetChannel(0);
    c->SetInterpolationStyle(Style);
    for (TiPlotAxis* a :
         {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))})
      a->SetTrackingEnabled(false);
    for (int i = 0; i < Points; ++i) c->AddXY(i, 50 + 40 * std::sin(i * 0.05) + (i * 7919 % 13));
    plot.GetXAxis(0)->SetMinSpan(0, Points - 1);
    plot.GetYAxis(0)->SetMinSpan(0, 110);
    Paint();  // lays the plot out once
  }
  void Paint() {
    plot.iPaintToCanvas(bitmap.GetCanvas());
    benchmark::DoNotOptimize(bitmap.GetCanvas()->GetPixels(kWidth / 2, kHeight / 2));
  }
  // Pixel columns of the data view.
  int Columns() { return plot.GetDataView(0)->GetDrawRect().Right - plot.GetDataView(0)->GetDrawRect().Left; }

  TiPlot plot{nullptr};
  TBitmap bitmap{kWidth, kHeight};
};

// Seconds per paint: the best of a few.
double BestPaint(Chart& C, int Runs) {
  double best = 1e9;
  for (int i = 0; i < Runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    C.Paint();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

void Measure(benchmark::State& state, Chart& Measured, double Floor) {
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    Measured.Paint();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["floor_ms"] = Floor * 1e3;
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / Floor;
}

void BM_FastTrace100kPoints(benchmark::State& state) {
  BenchApp();
  Chart trace(100000, ipistStraightLine);
  Chart floor(trace.Columns(), ipistStraightLine);
  Measure(state, trace, BestPaint(floor, 10));
}
BENCHMARK(BM_FastTrace100kPoints)->Unit(benchmark::kMillisecond);

void BM_Polynomial300Points(benchmark::State& state) {
  BenchApp();
  Chart curve(300, ipistPolynomial);
  Chart line(300, ipistStraightLine);
  Measure(state, curve, BestPaint(line, 10));
}
BENCHMARK(BM_Polynomial300Points)->Unit(benchmark::kMillisecond);

}  // namespace

// 100,000 AddXY into an XY plot channel with scroll tracking on both axes,
// against the same points with tracking off as the floor. The "vs_off"
// counter of the tracking run is its time over the floor's, measured in the
// same run; at most about 2 is the aim.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench/support/BenchFloor.h"
#include "instruments/plot/iXYPlot.h"
#include "bench/BenchApp.h"

namespace {

constexpr int kPoints = 100000;

double AddAll(bool Tracking) {
  TiXYPlot plot(nullptr);
  for (TiPlotAxis* a :
       {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
    a->SetTrackingStyle(iptsScrollSmooth);
    a->SetTrackingEnabled(Tracking);
  }
  TiXYPlotChannel* c = plot.GetChannel(0);
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kPoints; ++i) c->AddXY(i, (i * 7919) % 1000);
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  benchmark::DoNotOptimize(plot.GetXAxis(0)->GetMin());
  return s;
}

double OffSeconds() {
  static const double once = AddAll(false);
  return once;
}

void BM_AddXYScrollTracking(benchmark::State& state) {
  BenchApp();
  double total = 0;
  for (auto _ : state) total += AddAll(true);
  state.counters["vs_off"] = total / static_cast<double>(state.iterations()) / OffSeconds();
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_AddXYScrollTracking)->Unit(benchmark::kMillisecond);

void BM_AddXYTrackingOff(benchmark::State& state) {
  BenchApp();
  for (auto _ : state) AddAll(false);
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_AddXYTrackingOff)->Unit(benchmark::kMillisecond);
BENCH_FLOOR_COUNTER(BM_AddXYScrollTracking, "the same points with tracking off", "vs_off");

}  // namespace

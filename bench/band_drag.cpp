// A band dragged on an input plot and a band fader moved in bursts: the
// frames per second that reach the send funnel, the curve redraws per
// second, and the time from the last move of a burst to its curve on the
// plot (the 1 ms curve timer and the recomputation). The floor of a burst
// is its two curve updates (the drag and the way back) done directly on the
// model and the plot, with no input, timer or send in between.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/BenchProgramForms.h"
#include "bench/support/BenchFloor.h"
#include "controls/AdvTrackBar.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs the message loop until the named curve timer has fired.
void WaitForCurve(TfmMain& w, const char* timerName) {
  auto* timer = dynamic_cast<TTimer*>(w.FindComponent(timerName));
  bench::PumpUntil([timer] { return !timer || !timer->GetEnabled(); });
}

struct Counts {
  long frames = 0;
  long redraws = 0;
  double lastMoveToCurveUs = 0;
};

void Report(benchmark::State& state, const Counts& c) {
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(c.frames), benchmark::Counter::kIsRate);
  state.counters["redraws_per_s"] =
      benchmark::Counter(static_cast<double>(c.redraws), benchmark::Counter::kIsRate);
  state.counters["last_move_to_curve_us"] =
      benchmark::Counter(c.lastMoveToCurveUs, benchmark::Counter::kAvgIterations);
}

// Ten mouse moves per burst on band 1 of input A's plot.
void BM_PlotDragBursts(benchmark::State& state) {
  TfmMain& w = bench::ProgramWindow();
  auto* plot = dynamic_cast<LMyFFTDrawPhase*>(w.FindComponent("fftDrawInA"));
  Counts c;
  w.SetSendSink([&c](const LCmd&, bool) { ++c.frames; });
  Plot* model = w.GetState().Plots[0].get();
  // The marker of band 1 where the strip's curves put it.
  auto* table = dynamic_cast<TMyPEQAllpass*>(w.FindComponent("peqPeqInA"));
  model->SetBand(0, table->GetGainValue(0), table->GetFreqValue(0), table->GetQValue(0), 1);
  model->DrawBand(0, static_cast<float>(table->GetGainValue(0)), 1);
  const TRect area = plot->GetPlotPage()->ScreenRect;
  const TPoint marker = plot->GetBlockPos(0);
  const int x = area.Left + marker.X, y = area.Top + marker.Y;
  int lap = 0;
  for (auto _ : state) {
    plot->OnMouseDown(plot, mbLeft, {ssLeft}, x, y);
    const double before = model->GetBand(0)->Gain;
    for (int k = 1; k <= 10; ++k) plot->OnMouseMove(plot, {ssLeft}, x + (lap % 2), y - 3 * k);
    const auto lastMove = Clock::now();
    WaitForCurve(w, "tmMouseEqCurve");
    c.lastMoveToCurveUs += std::chrono::duration<double, std::micro>(Clock::now() - lastMove).count();
    if (model->GetBand(0)->Gain != before) ++c.redraws;
    plot->OnMouseUp(plot, mbLeft, {}, x, y);
    // Back to the start, so the next burst grabs the marker again.
    plot->OnMouseDown(plot, mbLeft, {ssLeft}, x, y - 30);
    plot->OnMouseMove(plot, {ssLeft}, x + 1 - (lap % 2), y);
    WaitForCurve(w, "tmMouseEqCurve");
    plot->OnMouseUp(plot, mbLeft, {}, x, y);
    ++lap;
  }
  w.SetSendSink(nullptr);
  Report(state, c);
}
BENCHMARK(BM_PlotDragBursts)->Unit(benchmark::kMicrosecond);

// Ten gain-fader ticks per burst on input A's selected band.
void BM_BandFaderBursts(benchmark::State& state) {
  TfmMain& w = bench::ProgramWindow();
  auto* fader = dynamic_cast<TAdvTrackBar*>(w.FindComponent("isEqGainInA"));
  Counts c;
  w.SetSendSink([&c](const LCmd&, bool) { ++c.frames; });
  int base = 100;
  for (auto _ : state) {
    for (int k = 0; k < 10; ++k) fader->SetPosition(base + k);
    const auto lastMove = Clock::now();
    WaitForCurve(w, "tmEqCurve");
    c.lastMoveToCurveUs += std::chrono::duration<double, std::micro>(Clock::now() - lastMove).count();
    ++c.redraws;
    base = base == 100 ? 130 : 100;
  }
  w.SetSendSink(nullptr);
  Report(state, c);
}
BENCHMARK(BM_BandFaderBursts)->Unit(benchmark::kMicrosecond);

void BM_TwoCurveUpdatesFloor(benchmark::State& state) {
  TfmMain& w = bench::ProgramWindow();
  auto* plot = dynamic_cast<LMyFFTDrawPhase*>(w.FindComponent("fftDrawInA"));
  Plot* model = w.GetState().Plots[0].get();
  const PlotBand band = *model->GetBand(0);
  for (auto _ : state) {
    for (double gain : {band.Gain + 3.0, band.Gain}) {
      model->SetBand(0, gain, band.Frequency, band.Q, band.FilterType);
      model->DrawSum(0);
      model->DrawBand(0, static_cast<float>(gain), 1);
      plot->UpdateCurvePage();
    }
  }
}
BENCHMARK(BM_TwoCurveUpdatesFloor)->Unit(benchmark::kMicrosecond);
BENCH_FLOOR(BM_PlotDragBursts, BM_TwoCurveUpdatesFloor);
BENCH_FLOOR(BM_BandFaderBursts, BM_TwoCurveUpdatesFloor);

}  // namespace

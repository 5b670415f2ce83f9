// Response curves of all 19 strip plots: recompute 27 sections of 4096
// points each and total them, alone and with every plot page redrawn and
// copied; and one band dragged on one plot, the work of one fader step.
// The floor is the same designed sections' magnitude over the same grid in
// plain loops that the compiler vectorises, log10 included, and the same
// sums (support/ResponseFloor.h), in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <vector>

#include "bench/support/BenchFloor.h"
#include "bench/support/ResponseFloor.h"
#include "platform/classlib/Forms.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/Plot.h"

namespace {

constexpr int kPlots = 19;

TApplication* App() {
  if (!Application) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  return Application;
}

// Slot s gets a peaking band spread over the audio range.
PlotBand BandOf(int slot, double shift) {
  PlotBand b;
  b.Gain = 3.0 + shift;
  b.Frequency = 40.0 * (1 + slot * 0.7);
  b.Q = 1.4;
  b.FilterType = ftPeak;
  return b;
}

void SetBands(Plot& model, double shift) {
  for (int slot = 0; slot < PlotBandCount; ++slot) {
    const PlotBand b = BandOf(slot, shift);
    model.SetBand(slot, b.Gain, b.Frequency, b.Q, b.FilterType);
  }
}

void NextShift(double& shift) {
  shift = shift > 5 ? 0 : shift + 0.1;
}

// The floor's storage: 27 curves and a total per plot.
struct FloorPlot {
  std::array<std::array<double, ResponsePoints>, PlotBandCount> curves{};
  std::array<double, ResponsePoints> total{};
  std::array<const double*, PlotSummedSlots> summed{};
  FloorPlot() {
    for (int s = 0; s < PlotSummedSlots; ++s)
      summed[static_cast<std::size_t>(s)] = curves[static_cast<std::size_t>(s)].data();
  }
  void Section(const bench::FloorGrid& grid, int slot, double shift) {
    BiquadCoefficients c;
    DesignBiquad(BandOf(slot, shift), c);
    bench::FloorMagnitudeDb(grid, c, curves[static_cast<std::size_t>(slot)].data());
  }
  void Sum() { bench::FloorSum(summed.data(), PlotSummedSlots, total.data()); }
};

struct Window {
  std::unique_ptr<TForm> form;
  std::vector<LMyFFTDrawPhase*> views;
  std::vector<std::unique_ptr<Plot>> models;
  Window() {
    App();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 1126, 725);
    for (int i = 0; i < kPlots; ++i) {
      auto* v = new LMyFFTDrawPhase(form.get());
      v->SetAutoRedraw(false);
      v->SetParent(form.get());
      v->SetBounds(0, 0, i >= 17 ? 530 : 1070, 255);
      v->SetYAutoScale(false);
      v->SetXAutoScale(false);
      v->SetXMin(966);
      v->SetXMax(3840);
      v->SetSampleRate(n96000);
      v->SetAutoRedraw(true);
      views.push_back(v);
      models.push_back(std::make_unique<Plot>(v));
    }
    form->Show();
    Application->ProcessMessages();
  }
};

void BM_AllPlotsFloor(benchmark::State& state) {
  const bench::FloorGrid grid;
  std::vector<FloorPlot> plots(kPlots);
  double shift = 0;
  for (auto _ : state) {
    for (FloorPlot& p : plots) {
      for (int slot = 0; slot < PlotBandCount; ++slot) p.Section(grid, slot, shift);
      p.Sum();
    }
    benchmark::DoNotOptimize(plots[0].total[100]);
    NextShift(shift);
  }
}
BENCHMARK(BM_AllPlotsFloor)->Unit(benchmark::kMillisecond);

// The models alone, with no plot to draw on.
void BM_AllPlotsRecompute(benchmark::State& state) {
  std::vector<std::unique_ptr<Plot>> models;
  for (int p = 0; p < kPlots; ++p) models.push_back(std::make_unique<Plot>(nullptr));
  double shift = 0;
  for (auto _ : state) {
    for (int p = 0; p < kPlots; ++p) {
      SetBands(*models[static_cast<std::size_t>(p)], shift);
      models[static_cast<std::size_t>(p)]->DrawSum(p);
    }
    benchmark::DoNotOptimize(models[0]->GetBand(PlotTotalSlot)->Response[100]);
    NextShift(shift);
  }
}
BENCHMARK(BM_AllPlotsRecompute)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_AllPlotsRecompute, BM_AllPlotsFloor);

void BM_AllPlotsRecomputeAndRedraw(benchmark::State& state) {
  Window w;
  double shift = 0;
  for (auto _ : state) {
    for (int p = 0; p < kPlots; ++p) {
      SetBands(*w.models[static_cast<std::size_t>(p)], shift);
      w.models[static_cast<std::size_t>(p)]->DrawSum(p);
      w.views[static_cast<std::size_t>(p)]->UpdateCurvePage();
    }
    NextShift(shift);
  }
}
BENCHMARK(BM_AllPlotsRecomputeAndRedraw)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_AllPlotsRecomputeAndRedraw, BM_AllPlotsFloor);

// The floor of a fader step: one section and the total.
void BM_OneBandFloor(benchmark::State& state) {
  const bench::FloorGrid grid;
  FloorPlot plot;
  for (int slot = 0; slot < PlotBandCount; ++slot) plot.Section(grid, slot, 0);
  double shift = 0;
  for (auto _ : state) {
    plot.Section(grid, 0, shift);
    plot.Sum();
    benchmark::DoNotOptimize(plot.total[100]);
    NextShift(shift);
  }
}
BENCHMARK(BM_OneBandFloor)->Unit(benchmark::kMillisecond);

// One fader step: one band recomputed, the total, the marker, the caption
// with its fill, and the page copied once.
void BM_OneBandDrag(benchmark::State& state) {
  Window w;
  Plot& model = *w.models[0];
  SetBands(model, 0);
  double f = 100;
  for (auto _ : state) {
    model.SetBand(0, 6.0, f, 1.4, 1);
    model.DrawSum(0);
    model.DrawBand(0, 6.0f, 1);
    model.DrawBandParam(0, 0, 6.0f, 1.4f, true);
    w.views[0]->UpdateCurvePage();
    f = f > 10000 ? 100 : f * 1.05;
  }
}
BENCHMARK(BM_OneBandDrag)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_OneBandDrag, BM_OneBandFloor);

}  // namespace

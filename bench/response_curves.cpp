// Response curves of all 19 strip plots: recompute 27 sections of 4096
// points each, total them and redraw the plot page with the page copy,
// against the floor of evaluating the same biquads alone. And one band
// dragged on one plot, the work of one fader step.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

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
void SetBands(Plot& model, double shift) {
  for (int slot = 0; slot < PlotBandCount; ++slot)
    model.SetBand(slot, 3.0 + shift, 40.0 * (1 + slot * 0.7), 1.4, 1);
}

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

void BM_BiquadFloor(benchmark::State& state) {
  Plot model(nullptr);
  double shift = 0;
  for (auto _ : state) {
    for (int p = 0; p < kPlots; ++p) SetBands(model, shift);
    benchmark::DoNotOptimize(model.GetBand(0)->Response[100]);
    shift = shift > 5 ? 0 : shift + 0.1;
  }
}
BENCHMARK(BM_BiquadFloor)->Unit(benchmark::kMillisecond);

void BM_AllPlotsRecomputeAndRedraw(benchmark::State& state) {
  Window w;
  double shift = 0;
  for (auto _ : state) {
    for (int p = 0; p < kPlots; ++p) {
      SetBands(*w.models[static_cast<std::size_t>(p)], shift);
      w.models[static_cast<std::size_t>(p)]->DrawSum(p);
      w.views[static_cast<std::size_t>(p)]->UpdateCurvePage();
    }
    shift = shift > 5 ? 0 : shift + 0.1;
  }
}
BENCHMARK(BM_AllPlotsRecomputeAndRedraw)->Unit(benchmark::kMillisecond);

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

}  // namespace

// One whole-window refresh from the model, as after an upload or a preset
// file: every page's controls, the dialogs' fields, the 16 strips' curves
// and the overlays. The floor is the part no refresh can skip: every
// strip plot's bands recomputed as they stand, totalled and the plot page
// redrawn and copied, directly.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchProgramForms.h"
#include "bench/support/BenchFloor.h"
#include "response/Plot.h"
#include "response/ResponsePlotBase.h"

namespace {

void BM_WholeWindowRefresh(benchmark::State& state) {
  TfmMain& main = bench::ProgramWindow();
  for (auto _ : state) main.RefreshFromModel(main.GetState().UnitControl.get());
}
BENCHMARK(BM_WholeWindowRefresh)->Unit(benchmark::kMillisecond);

void BM_CurvesOnlyFloor(benchmark::State& state) {
  TfmMain& main = bench::ProgramWindow();
  auto& plots = main.GetState().Plots;
  for (auto _ : state)
    for (std::size_t p = 0; p < plots.size(); ++p) {
      Plot* model = plots[p].get();
      if (!model) continue;
      for (int slot = 0; slot < PlotBandCount; ++slot) model->ComputeResponse(slot);
      model->DrawSum(static_cast<int>(p));
      if (model->GetPlot()) model->GetPlot()->UpdateCurvePage();
    }
}
BENCHMARK(BM_CurvesOnlyFloor)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_WholeWindowRefresh, BM_CurvesOnlyFloor);

}  // namespace

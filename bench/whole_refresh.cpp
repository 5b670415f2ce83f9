// One whole-window refresh from the model, as after an upload or a preset
// file: every page's controls, the dialogs' fields, the 16 strips' curves
// and the overlays.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchProgramForms.h"

namespace {

void BM_WholeWindowRefresh(benchmark::State& state) {
  TfmMain& main = bench::ProgramWindow();
  for (auto _ : state) main.RefreshFromModel(main.GetState().UnitControl.get());
}
BENCHMARK(BM_WholeWindowRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

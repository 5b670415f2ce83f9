// One whole-window refresh from the model, as after an upload or a preset
// file: every page's controls, the dialogs' fields, the 16 strips' curves
// and the overlays.

#include <benchmark/benchmark.h>

#include <memory>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/HidBackend.h"
#include "platform/serial/SerialPortList.h"

namespace {

TfmMain& MainWindow() {
  static int argc = 1;
  static char name[] = "bench_whole_refresh";
  static char* argv[] = {name, nullptr};
  static TfmMain* main = [] {
    auto* app = new TApplication(argc, argv);
    SelectHidBackend(std::make_shared<FakeHidBackend>());
    SelectSerialPortSource([] { return std::vector<SerialPortInfo>{}; });
    CreateProgramForms(*app);
    if (auto* timer = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect")))
      timer->SetEnabled(false);
    return fmMain;
  }();
  return *main;
}

void BM_WholeWindowRefresh(benchmark::State& state) {
  TfmMain& main = MainWindow();
  for (auto _ : state) main.RefreshFromModel(main.GetState().UnitControl.get());
}
BENCHMARK(BM_WholeWindowRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

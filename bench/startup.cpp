// Start-up to the first painted main window: every program form created
// the way the program does it, then the main window painted whole into a
// picture, against an empty form of the same size created and painted the
// same way in the same run; and the main window with its splash, and with
// the splash's AutoShow off, against the same floor. Read the ratios.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/support/BenchFloor.h"
#include "controls/AdvSmoothSplashScreen.h"
#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/HidBackend.h"
#include "platform/serial/SerialPortList.h"

namespace {

TApplication& App() {
  static int argc = 1;
  static char name[] = "bench_startup";
  static char* argv[] = {name, nullptr};
  static TApplication* app = [] {
    auto* a = new TApplication(argc, argv);
    SelectHidBackend(std::make_shared<FakeHidBackend>());
    SelectSerialPortSource([] { return std::vector<SerialPortInfo>{}; });
    return a;
  }();
  return *app;
}

// The first paint: the whole window into a picture (no file encoding,
// which no start-up does).
bool Painted(TControl* form) {
  TBitmap picture;
  return PaintControlImage(form, picture);
}

void FreeForms(TApplication& app) {
  for (int i = app.GetComponentCount() - 1; i >= 0; --i)
    if (auto* form = dynamic_cast<TCustomForm*>(app.GetComponents(i))) form->Free();
}

class TEmptyForm : public TForm {
 public:
  explicit TEmptyForm(TComponent* AOwner) : TForm(AOwner) { SetBounds(0, 0, 1126, 725); }
};

void BM_ProgramFormsToPaintedMainWindow(benchmark::State& state) {
  TApplication& app = App();
  for (auto _ : state) {
    CreateProgramForms(app);
    if (auto* timer = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect")))
      timer->SetEnabled(false);
    benchmark::DoNotOptimize(Painted(fmMain));
    state.PauseTiming();
    FreeForms(app);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProgramFormsToPaintedMainWindow)->Unit(benchmark::kMillisecond);

void BM_EmptyFormToPainted(benchmark::State& state) {
  TApplication& app = App();
  for (auto _ : state) {
    auto* form = new TEmptyForm(&app);
    benchmark::DoNotOptimize(Painted(form));
    state.PauseTiming();
    form->Free();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EmptyFormToPainted)->Unit(benchmark::kMillisecond);

// The main window as the program makes it (its splash up while it is
// built, closed by its first showing), against the same window whose splash
// has AutoShow off; each to its first painted picture.
class TfmMainWithoutSplash : public TfmMain {
 public:
  explicit TfmMainWithoutSplash(TComponent* AOwner) : TfmMain(AOwner) {
    if (auto* splash = dynamic_cast<TAdvSmoothSplashScreen*>(FindComponent("asScreen")))
      splash->SetAutoShow(false);
  }
};

template <typename Form>
void MainWindowToPainted(benchmark::State& state) {
  TApplication& app = App();
  for (auto _ : state) {
    Form* form = nullptr;
    app.CreateForm(form);
    if (auto* timer = dynamic_cast<TTimer*>(form->FindComponent("tmStartConnect"))) timer->SetEnabled(false);
    benchmark::DoNotOptimize(Painted(form));
    state.PauseTiming();
    FreeForms(app);
    state.ResumeTiming();
  }
}

void BM_MainWindowWithSplashToPainted(benchmark::State& state) {
  MainWindowToPainted<TfmMain>(state);
}
BENCHMARK(BM_MainWindowWithSplashToPainted)->Unit(benchmark::kMillisecond);

void BM_MainWindowSplashOffToPainted(benchmark::State& state) {
  MainWindowToPainted<TfmMainWithoutSplash>(state);
}
BENCHMARK(BM_MainWindowSplashOffToPainted)->Unit(benchmark::kMillisecond);

BENCH_FLOOR(BM_ProgramFormsToPaintedMainWindow, BM_EmptyFormToPainted);
BENCH_FLOOR(BM_MainWindowWithSplashToPainted, BM_EmptyFormToPainted);
BENCH_FLOOR(BM_MainWindowSplashOffToPainted, BM_EmptyFormToPainted);

}  // namespace

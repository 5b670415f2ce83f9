// One 30-pixel scroll step of the Chinese code-table viewer, painted: the
// form moves its rich-text label and 31 pictures and repaints. The floor is
// the same step over a form of the same size that holds the whole document
// as one ready bitmap, measured in the same run; the "floor" counter is the
// viewer's time over the floor's. A step must stay well inside one frame of
// 60 Hz (16.7 ms).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "bench/support/BenchFloor.h"
#include "controls/AdvOfficeImage.h"
#include "controls/rtflabel.h"
#include "platform/classlib/Forms.h"
#include "rs232codes/Frs232code.h"

namespace {

constexpr int kStep = 30;

TApplication* App() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  if (!Application) new TApplication(argc, argv);
  return Application;
}

// The document, label and pictures, drawn once into a bitmap it shows.
class ReadyDocument : public TGraphicControl {
 public:
  ReadyDocument(TComponent* AOwner, TfmRs232Code* Viewer) : TGraphicControl(AOwner) {
    TRTFLabel* label = Viewer->GetRTFLabel();
    FPage.SetSize(label->GetWidth(), label->GetHeight() + label->GetTop());
    TCanvas* c = FPage.GetCanvas();
    c->Brush->SetColor(clWhite);
    c->FillRect(Rect(0, 0, FPage.GetWidth(), FPage.GetHeight()));
    label->PaintTo(c);
    for (int i = 0; i < 31; ++i) {
      TAdvOfficeImage* image = Viewer->GetImage(i);
      image->PaintTo(c, 0, image->GetTop() - label->GetTop());
    }
  }

 protected:
  void Paint() override { GetCanvas()->Draw(0, 0, &FPage); }

 private:
  TBitmap FPage;
};

struct Stage {
  std::unique_ptr<TfmRs232Code> viewer;
  std::unique_ptr<TForm> floor;

  Stage() {
    App();
    viewer = std::make_unique<TfmRs232Code>(nullptr);
    viewer->LoadDocument();
    viewer->Show();
    floor = std::make_unique<TForm>(nullptr);
    floor->SetBounds(0, 0, viewer->GetWidth(), viewer->GetHeight());
    floor->SetAutoScroll(true);
    auto* page = new ReadyDocument(floor.get(), viewer.get());
    page->SetParent(floor.get());
    page->SetBounds(50, 8, 630, 5000);
    floor->Show();
    Settle(viewer.get());
    Settle(floor.get());
  }

  static void Settle(TForm* form) {
    form->UpdateScrollBars();
    form->Repaint();
    Application->ProcessMessages();
  }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

// One step down (back to the top at the end), painted at once.
void Step(TForm* form) {
  TControlScrollBar* bar = form->GetVertScrollBar();
  const int before = bar->GetPosition();
  bar->SetPosition(before + kStep);
  if (bar->GetPosition() == before) bar->SetPosition(0);
  form->Repaint();
}

double SecondsPerStep(TForm* form, int steps) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < steps; ++i) Step(form);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / steps;
}

void BM_ReadyBitmapStep(benchmark::State& state) {
  TForm* form = TheStage().floor.get();
  for (auto _ : state) Step(form);
}
BENCHMARK(BM_ReadyBitmapStep)->Unit(benchmark::kMicrosecond);

void BM_ChineseViewerStep(benchmark::State& state) {
  Stage& stage = TheStage();
  for (auto _ : state) Step(stage.viewer.get());
  // The floor measured now, in this run, by the same loop.
  const double viewer = SecondsPerStep(stage.viewer.get(), 300);
  const double floor = SecondsPerStep(stage.floor.get(), 300);
  state.counters["floor"] = viewer / floor;
  state.counters["ms_per_step"] = viewer * 1000;
}
BENCHMARK(BM_ChineseViewerStep)->Unit(benchmark::kMicrosecond);
BENCH_FLOOR_COUNTER(BM_ChineseViewerStep, "BM_ReadyBitmapStep's loop, 300 steps each", "floor");

}  // namespace

// One printed page (to the "PDF" printer) and one repaint of the print
// preview of a plot holding 100,000 points, each against one paint of the
// same plot into a bitmap of its size in the same run.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/BenchApp.h"
#include "bench/support/BenchFloor.h"
#include "instruments/editors/iPlotPreviewForm.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/Printers.h"

namespace {

constexpr int kPoints = 100000;

struct Plot {
  Plot() {
    BenchApp();
    plot.SetBounds(0, 0, 500, 200);
    plot.SetPrintShowDialog(false);
    plot.GetXAxis(0)->SetTrackingEnabled(false);
    plot.GetYAxis(0)->SetTrackingEnabled(false);
    plot.GetXAxis(0)->SetMin(0);
    plot.GetXAxis(0)->SetSpan(kPoints);
    for (int i = 0; i < kPoints; ++i) plot.GetChannel(0)->AddXY(i, (i * 7919LL % 1000) / 10.0);
  }
  TiXYPlot plot{nullptr};
};

Plot& Shared() {
  static Plot p;
  return p;
}

void BM_PaintIntoBitmap100kPoints(benchmark::State& state) {
  Plot& p = Shared();
  TBitmap bitmap(500, 200);
  for (auto _ : state) p.plot.iPaintToCanvas(bitmap.GetCanvas());
}
BENCHMARK(BM_PaintIntoBitmap100kPoints)->Unit(benchmark::kMillisecond);

void BM_PrintOnePage100kPoints(benchmark::State& state) {
  Plot& p = Shared();
  const std::string dir = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                          "/bench-print-" + std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  Printer()->SetOutputFileName(dir + "/page.pdf");
  for (auto _ : state) p.plot.PrintChart();
  Printer()->SetOutputFileName("");
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PrintOnePage100kPoints)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_PrintOnePage100kPoints, BM_PaintIntoBitmap100kPoints);

void BM_PreviewRepaint100kPoints(benchmark::State& state) {
  Plot& p = Shared();
  TiPlotPreviewForm form(nullptr);
  form.AfterConstruction();
  form.iComponent = &p.plot;
  for (auto _ : state) form.PreviewPaint(form.Preview);
}
BENCHMARK(BM_PreviewRepaint100kPoints)->Unit(benchmark::kMillisecond);
BENCH_FLOOR(BM_PreviewRepaint100kPoints, BM_PaintIntoBitmap100kPoints);

}  // namespace

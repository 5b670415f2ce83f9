// The splash's HTML text renderer drawing a long markup text (lines with
// tags) against the drawing layer's DrawText of the same plain text, in one
// run: the ratio shows what the markup costs, and its growth from 50 to
// 200 lines would expose a layout that grows faster than its text.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/support/BenchFloor.h"
#include "controls/AdvSmoothSplashScreenHtml.h"
#include "controls/GDIPFill.h"
#include "platform/classlib/Forms.h"
#include "platform/gdiplus/ClassLibBridge.h"

namespace {

TApplication* App() {
  if (!Application) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  return Application;
}

struct Texts {
  std::string markup;
  std::string plain;
};

Texts Make(int lines) {
  Texts t;
  for (int i = 0; i < lines; ++i) {
    const std::string n = std::to_string(i + 1);
    t.markup += "Line " + n + ": <b>input</b> gain <FONT color=\"#3DA0E8\">" + n +
                " dB</FONT> <i>on</i> <A href=\"x\">strip</A> &amp; more<br>";
    t.plain += "Line " + n + ": input gain " + n + " dB on strip & more\n";
  }
  return t;
}

struct Surface {
  std::unique_ptr<TBitmap> bitmap;
  std::unique_ptr<TGPGraphics> g;
  std::unique_ptr<TFont> font;
  Surface() {
    App();
    bitmap = std::make_unique<TBitmap>(600, 4000);
    g = Gdiplus::GraphicsFromBitmap(bitmap.get());
    font = std::make_unique<TFont>();
    font->SetName("Tahoma");
    font->SetSize(8);
  }
};

double DrawMarkup(Surface& s, const std::string& markup) {
  std::string anchor, strip, focus;
  int xs = 0, ys = 0, links = 0, mouse = -1;
  TRect hover;
  const auto start = std::chrono::steady_clock::now();
  DrawHtmlText(s.g.get(), *s.font, markup, TRect(0, 0, 600, 4000), nullptr, 0, 0, -1, -1, 5, false, false,
               false, false, false, false, true, 1.0, clBlue, clNone, clNone, clGray, anchor, strip, focus,
               xs, ys, links, mouse, hover, nullptr, 2);
  benchmark::DoNotOptimize(ys);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double DrawPlain(Surface& s, const std::string& plain) {
  TRect r(0, 0, 600, 4000);
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(DrawText(s.g.get(), plain, -1, r, *s.font, 0, clNone));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Both drawings in every iteration; the reported time is the markup's.
void BM_HtmlTextAgainstPlainDrawText(benchmark::State& state) {
  Surface s;
  const Texts t = Make(static_cast<int>(state.range(0)));
  double html = 0, plain = 0;
  for (auto _ : state) {
    const double h = DrawMarkup(s, t.markup);
    plain += DrawPlain(s, t.plain);
    html += h;
    state.SetIterationTime(h);
  }
  state.counters["plain_ms"] = benchmark::Counter(plain * 1e3 / static_cast<double>(state.iterations()));
  state.counters["ratio"] = benchmark::Counter(plain > 0 ? html / plain : 0);
  state.counters["us_per_line"] = benchmark::Counter(html * 1e6 / static_cast<double>(state.iterations()) /
                                                     static_cast<double>(state.range(0)));
}
BENCHMARK(BM_HtmlTextAgainstPlainDrawText)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCH_FLOOR_COUNTER(BM_HtmlTextAgainstPlainDrawText, "plain DrawText of the same text", "ratio");

}  // namespace

// Copying a plot page of 1100 x 400 pixels onto a control's surface: the
// canvas's CopyRect at 1:1, the same with an inverting raster operation
// (the per-pixel road), and Draw of the page as a bitmap, against a plain
// memory copy of the same rows, which is the floor. The "floor" counter of
// each is its time over the floor's, measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/support/BenchFloor.h"
#include "platform/classlib/Graphics.h"

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 400;

std::unique_ptr<TBitmap> Page() {
  auto page = std::make_unique<TBitmap>(kWidth, kHeight);
  for (int y = 0; y < kHeight; y += 8)
    for (int x = 0; x < kWidth; x += 8) page->Canvas->SetPixels(x, y, RGB(x & 0xFF, y & 0xFF, 99));
  return page;
}

// The floor: the page's pixel rows copied between two plain buffers.
struct Rows {
  std::vector<std::uint32_t> from = std::vector<std::uint32_t>(static_cast<std::size_t>(kWidth) * kHeight, 7);
  std::vector<std::uint32_t> to = std::vector<std::uint32_t>(from.size());
  void Copy() {
    for (int y = 0; y < kHeight; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * kWidth;
      std::memcpy(to.data() + at, from.data() + at, kWidth * sizeof(std::uint32_t));
    }
    benchmark::DoNotOptimize(to.data());
  }
};

// Seconds per memory copy of the page: the best of a few runs.
double FloorSeconds() {
  static const double floor = [] {
    Rows rows;
    double best = 1e9;
    for (int i = 0; i < 50; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      rows.Copy();
      best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
  }();
  return floor;
}

// Runs `copy` for the benchmark and reports its time over the floor's.
template <typename F>
void Measure(benchmark::State& state, F&& copy) {
  const double floor = FloorSeconds();
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    copy();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["floor"] = total / static_cast<double>(state.iterations()) / floor;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kWidth) * kHeight * 4);
}

void BM_MemoryCopy(benchmark::State& state) {
  Rows rows;
  Measure(state, [&] { rows.Copy(); });
}
BENCHMARK(BM_MemoryCopy);

void BM_CopyRect(benchmark::State& state) {
  auto page = Page();
  TBitmap surface(kWidth, kHeight);
  const TRect all = Rect(0, 0, kWidth, kHeight);
  Measure(state, [&] { surface.Canvas->CopyRect(all, page->Canvas, all); });
}
BENCHMARK(BM_CopyRect);

void BM_CopyRectInverting(benchmark::State& state) {
  auto page = Page();
  TBitmap surface(kWidth, kHeight);
  surface.Canvas->SetCopyMode(cmSrcInvert);
  const TRect all = Rect(0, 0, kWidth, kHeight);
  Measure(state, [&] { surface.Canvas->CopyRect(all, page->Canvas, all); });
}
BENCHMARK(BM_CopyRectInverting);

void BM_Draw(benchmark::State& state) {
  auto page = Page();
  TBitmap surface(kWidth, kHeight);
  Measure(state, [&] { surface.Canvas->Draw(0, 0, page.get()); });
}
BENCHMARK(BM_Draw);
// Each against the best of 50 plain copies (its "floor" counter).
BENCH_FLOOR_COUNTER(BM_CopyRect, "the best plain memory copy", "floor");
BENCH_FLOOR_COUNTER(BM_CopyRectInverting, "the best plain memory copy", "floor");
BENCH_FLOOR_COUNTER(BM_Draw, "the best plain memory copy", "floor");
BENCH_FLOOR_COUNTER(BM_MemoryCopy, "the best plain memory copy", "floor");

}  // namespace

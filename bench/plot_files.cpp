// Loading a plot data file of 100,000 rows of two channels, as text and as
// the compact interval file of the same points, each against its floor:
// reading the same bytes and cutting them into lines and fields (text) or
// 4-byte values (compact) without converting a number. Each line carries
// "floor_ms" (the floor's time per load) and "ratio" (the load's time over
// the floor's), measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "instruments/plot/iPlotFiles.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "bench/BenchApp.h"
#include "platform/classlib/GraphicsStream.h"

namespace {

constexpr int kRows = 100000;

struct Plot {
  Plot() {
    plot.RemoveAllChannels();
    plot.GetMaster()->SetChannelClass(iChannelClass<TiXYPlotChannel>());
    for (int c = 0; c < 2; ++c) {
      plot.AddChannel();
      plot.GetChannel(c)->SetXAxisTrackingEnabled(false);
      plot.GetChannel(c)->SetYAxisTrackingEnabled(false);
    }
  }
  TiXYPlot plot{nullptr};
};

// The file of the format, written once by a plot.
std::string DataFile(TiPlotDataFileFormat Format) {
  const std::string name = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                           "/bench-plot-" + (Format == ipdffText ? "text.txt" : "compact.bin");
  Plot p;
  for (int r = 0; r < kRows; ++r) {
    p.plot.GetChannel(0)->AddXY(r * 0.5, (r * 7919LL % 1000) / 7.0);
    p.plot.GetChannel(1)->AddXY(r * 0.5, (r * 104729LL % 1000) / 3.0);
  }
  p.plot.SetDataFileFormat(Format);
  p.plot.SaveDataToFile(name);
  return name;
}

std::size_t TextFloor(const std::string& File) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(File);
  const std::string text(bytes.begin(), bytes.end());
  std::size_t fields = 0, start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    fields += iPlotSplitDataLine(line, '\t').size();
    start = end + 1;
  }
  return fields;
}

std::size_t CompactFloor(const std::string& File) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(File);
  std::size_t pos = 0, lines = 0, values = 0;
  while (pos < bytes.size() && lines < 2)
    if (bytes[pos++] == '\n') ++lines;
  std::uint32_t sum = 0;
  for (; pos + 4 <= bytes.size(); pos += 4, ++values) {
    std::uint32_t v;
    std::memcpy(&v, bytes.data() + pos, 4);
    sum ^= v;
  }
  benchmark::DoNotOptimize(sum);
  return values;
}

template <class F>
double Best(F&& Fn, int Runs) {
  double best = 1e9;
  for (int i = 0; i < Runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(Fn());
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

void Measure(benchmark::State& state, TiPlotDataFileFormat Format, std::size_t (*Floor)(const std::string&)) {
  BenchApp();
  const std::string file = DataFile(Format);
  const double floor = Best([&] { return Floor(file); }, 5);
  Plot p;
  double total = 0;
  for (auto _ : state) {
    p.plot.ClearAllData();
    const auto t0 = std::chrono::steady_clock::now();
    p.plot.LoadDataFromFile(file);
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / floor;
}

void BM_LoadText100kRows(benchmark::State& state) {
  Measure(state, ipdffText, TextFloor);
}
BENCHMARK(BM_LoadText100kRows)->Unit(benchmark::kMillisecond);

void BM_LoadCompactInterval100kRows(benchmark::State& state) {
  Measure(state, ipdffCompactInterval, CompactFloor);
}
BENCHMARK(BM_LoadCompactInterval100kRows)->Unit(benchmark::kMillisecond);

}  // namespace

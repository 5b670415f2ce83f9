// The benchmarks' main: Google Benchmark's console output, then the floor
// lines (see BenchFloor.h).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/support/BenchFloor.h"

namespace bench {
namespace {

struct FloorOf {
  std::string floor;
  std::string counter;  // empty: the floor is a benchmark
};

std::map<std::string, FloorOf>& Floors() {
  static std::map<std::string, FloorOf> floors;
  return floors;
}

struct Result {
  std::string function, args;
  double seconds;  // real time per iteration
  std::map<std::string, double> counters;
};

class FloorReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred || r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
      Result res{r.run_name.function_name,
                 r.run_name.args,
                 r.real_accumulated_time / static_cast<double>(r.iterations),
                 {}};
      for (const auto& [name, c] : r.counters) res.counters[name] = c.value;
      FResults.push_back(std::move(res));
    }
  }

  // The results in run order, one line for each benchmark that is no
  // other's floor.
  void PrintFloors() const {
    // The console output may end inside a colour code, without a new line.
    std::printf("\n");
    for (const Result& r : FResults) {
      const std::string name = Named(r.function, r.args);
      const auto it = Floors().find(r.function);
      if (it == Floors().end()) {
        if (!IsAFloor(r.function))
          std::printf("BENCH_FLOOR %s %s floor=none\n", name.c_str(), Ms(r.seconds).c_str());
        continue;
      }
      const FloorOf& f = it->second;
      if (!f.counter.empty()) {
        const auto c = r.counters.find(f.counter);
        if (c == r.counters.end())
          std::printf("BENCH_FLOOR %s %s floor=%s ratio=missing\n", name.c_str(), Ms(r.seconds).c_str(),
                      f.floor.c_str());
        else
          std::printf("BENCH_FLOOR %s %s floor=%s ratio=%.2f\n", name.c_str(), Ms(r.seconds).c_str(),
                      f.floor.c_str(), c->second);
        continue;
      }
      const Result* floor = Find(f.floor, r.args);
      if (!floor) floor = Find(f.floor, "");
      if (!floor || floor->seconds <= 0) {
        std::printf("BENCH_FLOOR %s %s floor=%s not run\n", name.c_str(), Ms(r.seconds).c_str(),
                    f.floor.c_str());
        continue;
      }
      std::printf("BENCH_FLOOR %s %s floor=%s %s ratio=%.2f\n", name.c_str(), Ms(r.seconds).c_str(),
                  Named(floor->function, floor->args).c_str(), Ms(floor->seconds).c_str(),
                  r.seconds / floor->seconds);
    }
    std::fflush(stdout);
  }

 private:
  static std::string Named(const std::string& function, const std::string& args) {
    return args.empty() ? function : function + "/" + args;
  }
  static std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    return text;
  }
  static bool IsAFloor(const std::string& function) {
    for (const auto& [name, f] : Floors())
      if (f.counter.empty() && f.floor == function) return true;
    return false;
  }
  const Result* Find(const std::string& function, const std::string& args) const {
    for (const Result& r : FResults)
      if (r.function == function && r.args == args) return &r;
    return nullptr;
  }

  std::vector<Result> FResults;
};

}  // namespace

bool FloorIsBenchmark(const std::string& benchmark, const std::string& floor) {
  Floors()[benchmark] = {floor, {}};
  return true;
}

bool FloorIsCounter(const std::string& benchmark, const std::string& floor, const std::string& ratioCounter) {
  Floors()[benchmark] = {floor, ratioCounter};
  return true;
}

}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::FloorReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintFloors();
  benchmark::Shutdown();
  return 0;
}

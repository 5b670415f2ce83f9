// FindComponent over an owner of 2,500 named components (the size of the
// main window): 10,000 look-ups of names spread over the list, some absent,
// in mixed case, through the owner's index and through a plain walk over
// the list as the floor to beat. The "vs_scan" counter of the index run is
// its time over the walk's, measured in the same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/support/BenchFloor.h"
#include "platform/classlib/Classes.h"

namespace {

constexpr int kComponents = 2500;
constexpr int kLookUps = 10000;

struct Owner {
  TComponent root{nullptr};
  std::vector<std::string> queries;
  Owner() {
    for (int i = 0; i < kComponents; ++i) {
      auto* c = new TComponent(&root);
      c->SetName("cvdEqGainIn" + std::to_string(i));
    }
    for (int i = 0; i < kLookUps; ++i) {
      const int n = (i * 7919) % (kComponents + kComponents / 10);
      queries.push_back((i % 2 ? "CVDEQGAININ" : "cvdEqGainIn") + std::to_string(n));
    }
  }
};

Owner& Shared() {
  static Owner owner;
  return owner;
}

TComponent* ScanFind(const TComponent& owner, const std::string& name) {
  for (int i = 0; i < owner.GetComponentCount(); ++i) {
    TComponent* c = owner.GetComponents(i);
    if (SameText(c->GetName(), name)) return c;
  }
  return nullptr;
}

template <typename F>
double RunAll(F&& find) {
  Owner& o = Shared();
  const auto t0 = std::chrono::steady_clock::now();
  for (const std::string& q : o.queries) benchmark::DoNotOptimize(find(o.root, q));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double ScanSeconds() {
  // One pass is long enough to measure, and the scan is slow by nature.
  static const double once = RunAll([](const TComponent& r, const std::string& q) { return ScanFind(r, q); });
  return once;
}

void BM_FindComponentIndex(benchmark::State& state) {
  double total = 0;
  for (auto _ : state)
    total += RunAll([](const TComponent& r, const std::string& q) { return r.FindComponent(q); });
  state.counters["vs_scan"] = total / static_cast<double>(state.iterations()) / ScanSeconds();
  state.SetItemsProcessed(state.iterations() * kLookUps);
}
BENCHMARK(BM_FindComponentIndex)->Unit(benchmark::kMillisecond);

void BM_FindComponentLinearScan(benchmark::State& state) {
  for (auto _ : state) RunAll([](const TComponent& r, const std::string& q) { return ScanFind(r, q); });
  state.SetItemsProcessed(state.iterations() * kLookUps);
}
BENCHMARK(BM_FindComponentLinearScan)->Unit(benchmark::kMillisecond);
BENCH_FLOOR_COUNTER(BM_FindComponentIndex, "a plain walk over the list", "vs_scan");

}  // namespace

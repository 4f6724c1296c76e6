// The cut order on generated jobs: time, and knife-up travel of the job's
// order, of a plain nearest neighbour and of the improved order.
#include <benchmark/benchmark.h>

#include "output/order/cut_order.h"
#include "support/cut_jobs.h"

namespace corvane::bench {
namespace {

void report(benchmark::State& state, const CutOrder& order) {
  state.counters["file_m"] = order.fileTravel / 40000.0;
  state.counters["nearest_m"] = order.nearestTravel / 40000.0;
  state.counters["ordered_m"] = order.travel / 40000.0;
  state.counters["vs_nearest"] = order.travel / order.nearestTravel;
}

template <std::vector<PathPoint> (*Job)(std::size_t, unsigned)>
void Order(benchmark::State& state) {
  const auto points = Job(static_cast<std::size_t>(state.range(0)), 1);
  CutOrder order;
  for (auto _ : state) {
    order = orderForCutting(points);
    benchmark::DoNotOptimize(order.travel);
  }
  report(state, order);
}

BENCHMARK(Order<testing::stickerSheet>)
    ->Name("Order/stickers")
    ->Arg(500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Order<testing::lettering>)
    ->Name("Order/lettering")
    ->Arg(2000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Order<testing::marker>)
    ->Name("Order/marker")
    ->Arg(2000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();

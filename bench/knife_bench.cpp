// Time to simulate the drag knife over a generated job's stream and measure
// the cut against the design, for jobs of 10^4 to 10^6 points (a 1 MB job
// has some 10^5).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/job_generator.h"
#include "bench/silent_operator.h"
#include "output/knife/knife_simulation.h"
#include "output/pipeline/convert_job.h"

namespace corvane::bench {
namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void SimulateKnife(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  const auto dir = std::filesystem::temp_directory_path();
  ConvertRequest request;
  request.jobPath = (dir / "corvane-knife-bench-job.plt").string();
  request.intermediatePath = (dir / "corvane-knife-bench-plain.plt").string();
  request.streamPath = (dir / "corvane-knife-bench-stream.plt").string();
  request.machine = "TVM-1200";
  request.angleMm = 0.25;
  request.closedMm = 0.25;
  const std::string job = generateJob(points);
  std::ofstream(request.jobPath, std::ios::binary) << job;
  SilentOperator op;
  if (!convertJob(request, op)) state.SkipWithError("convert failed");
  const std::string stream = readAll(request.streamPath);
  const std::string plain = readAll(request.intermediatePath);
  for (const auto& path : {request.jobPath, request.intermediatePath, request.streamPath}) {
    std::remove(path.c_str());
  }
  for (auto _ : state) {
    const KnifeSimulation simulation = simulateStream(stream, plain, 0.25, 0);
    benchmark::DoNotOptimize(simulation.figures.miss.distance);
  }
  const double miss = simulateStream(stream, plain, 0.25, 0).figures.miss.distance;
  state.counters["job_MB"] = static_cast<double>(job.size()) / 1e6;
  state.counters["stream_MB"] = static_cast<double>(stream.size()) / 1e6;
  state.counters["miss_mm"] = miss / kKnifeUnitsPerMm;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(job.size()));
}

BENCHMARK(SimulateKnife)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();

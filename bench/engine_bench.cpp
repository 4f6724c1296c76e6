// Throughput of the job engine on generated jobs of 10^4 to 10^7 points.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "bench/job_generator.h"
#include "bench/silent_operator.h"
#include "output/engine/plt_converter.h"
#include "output/pipeline/convert_job.h"

namespace corvane::bench {
namespace {

// Files live in memory where the system allows, so that the figures are the
// engine's and not the disk's write-back.
std::filesystem::path scratchDirectory() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

std::string scratch(const std::string& name) {
  return (scratchDirectory() / ("corvane-bench-" + name)).string();
}

// The job file for a size, written once per process.
const std::string& jobFile(std::size_t points) {
  static std::map<std::size_t, std::string> files;
  auto found = files.find(points);
  if (found != files.end()) return found->second;
  const std::string path = scratch("job-" + std::to_string(points) + ".plt");
  std::ofstream(path, std::ios::binary) << generateJob(points);
  return files.emplace(points, path).first->second;
}

void report(benchmark::State& state, const std::string& job, std::size_t points) {
  const auto bytes = std::filesystem::file_size(job);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points));
  state.counters["job_MB"] = static_cast<double>(bytes) / 1e6;
}

void Read(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  const std::string& job = jobFile(points);
  SilentOperator op;
  for (auto _ : state) {
    PltConverter converter(op);
    if (!converter.readPlt(job)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(converter.count());
  }
  report(state, job, points);
}

void ReadOffsetPlain(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  const std::string& job = jobFile(points);
  const std::string out = scratch("plain.tmp");
  SilentOperator op;
  for (auto _ : state) {
    PltConverter converter(op);
    converter.readPlt(job);
    converter.applyMarkOffset(converter.param3(), converter.param4());
    converter.computeBounds();
    if (!converter.writePlain(out, Dialect::Hpgl)) state.SkipWithError("write failed");
  }
  std::remove(out.c_str());
  report(state, job, points);
}

void ConvertWithCorners(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  const std::string& job = jobFile(points);
  ConvertRequest request;
  request.jobPath = job;
  request.intermediatePath = scratch("QuillonPro2.tmp");
  request.streamPath = scratch("QuillonPro3.tmp");
  request.machine = "TVM-1200";
  request.angleMm = 1.0;
  request.closedMm = 1.0;
  SilentOperator op;
  for (auto _ : state) {
    if (!convertJob(request, op)) state.SkipWithError("convert failed");
  }
  state.counters["stream_MB"] =
      static_cast<double>(std::filesystem::file_size(request.streamPath)) / 1e6;
  std::remove(request.intermediatePath.c_str());
  std::remove(request.streamPath.c_str());
  report(state, job, points);
}

void sizes(benchmark::internal::Benchmark* b) {
  // Wall-clock time: the file writer works on a second thread.
  b->RangeMultiplier(10)->Range(10'000, 10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Read)->Apply(sizes);
BENCHMARK(ReadOffsetPlain)->Apply(sizes);
BENCHMARK(ConvertWithCorners)->Apply(sizes);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
    if (entry.path().filename().string().rfind("corvane-bench-job-", 0) == 0) {
      std::filesystem::remove(entry.path());
    }
  }
  return 0;
}

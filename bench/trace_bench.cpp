// The Trace Contour command over the stand-in host on a lettering drawing:
// a boundary per shape, the merge, and the 2 mm contour of the merged shape.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "bench/lettering_drawing.h"
#include "common/settings/module_ini.h"
#include "toolwindow/context/tool_context.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/lang/builtin_text_table.h"
#include "toolwindow/lang/lang.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::bench {
namespace {

using namespace corvane::toolwindow;

class CountingOperator final : public ToolOperator {
 public:
  void ShowMessage(std::string_view, MessageIcon, std::string_view) override { ++shown; }
  int shown = 0;
};

void TraceLettering(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  standin::StandInHost host;
  std::size_t shapes = 0;
  for (const auto& shape : letteringShapes(points)) {
    host.addShape("Layer 1", "Curve " + std::to_string(++shapes), shape);
  }
  host.selectAll();
  const BuiltInTextTable texts;
  const Lang lang(texts);
  settings::ModuleIni ini;
  CountingOperator op;
  ToolContext context{host, op, lang, ini, BuildVariant::X6};
  ZevaRaraz zevaRaraz;
  for (auto _ : state) {
    if (!zevaRaraz.TraceContour(context, 2.0) || op.shown != 0) state.SkipWithError("no trace");
    host.clearCalls();
  }
  // A trace that skipped a shape would be fast and wrong.
  if (host.shape("TraceLayer", "TraceLine").paths.empty()) state.SkipWithError("empty trace");
  state.counters["shapes"] = static_cast<double>(shapes);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points));
}
BENCHMARK(TraceLettering)->Arg(25000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();

#include "toolwindow/export/plt_export.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "common/path_text.h"
#include "toolwindow/export/job_file.h"

namespace corvane::toolwindow {

using host::FilterValue;
using host::HostStatus;

namespace {

struct FilterSetting {
  std::string_view name;
  FilterValue value;
};

// Set in this order once the export has started, before it is finished.
const FilterSetting kPltSettings[] = {
    {"ScaleFactor", 100.0},      {"PlotterUnits", std::int16_t{1016}},
    {"CurveResolution", 0.0004}, {"RemoveHiddenLines", false},
    {"AutomaticWeld", false},
};

HostStatus Export(host::DrawingHost& host, const host::Document& document,
                  const host::ExportOptions& options, const std::filesystem::path& jobFile) {
  auto filter = host.ExportDocument(document, pathText(jobFile), host::kFilterPlt,
                                    host::kExportRangeSelection, options);
  if (!filter) return filter.error();
  for (const FilterSetting& setting : kPltSettings) {
    if (HostStatus set = host.SetFilterProperty(filter.value(), setting.name, setting.value);
        !set) {
      return set;
    }
  }
  return host.FinishExport(filter.value());
}

}  // namespace

ToolStatus ExportSelectionAsPlt(host::DrawingHost& host, const std::filesystem::path& jobFile) {
  auto options = host.NewExportOptions();
  if (!options) return options.error();
  auto document = host.GetActiveDocument();
  if (!document) return document.error();
  if (ToolStatus removed = RemoveEarlierJobFile(jobFile); !removed) return removed;
  const HostStatus exported = Export(host, document.value(), options.value(), jobFile);
  if (exported) return {};
  DiscardJobFile(jobFile);
  return exported.error();
}

}  // namespace corvane::toolwindow

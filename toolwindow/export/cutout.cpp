#include "toolwindow/export/cutout.h"

#include <optional>
#include <string>
#include <system_error>

#include "common/settings/config_keys.h"
#include "toolwindow/context/operator_messages.h"
#include "toolwindow/document/document_steps.h"
#include "toolwindow/document/layer_names.h"
#include "toolwindow/export/job_file.h"
#include "toolwindow/export/job_lines.h"
#include "toolwindow/export/plt_export.h"

namespace corvane::toolwindow {

namespace fs = std::filesystem;
using host::HostResult;
using host::HostStatus;
using job::kPlotterUnitsPerMm;

namespace {

// The DB corner lies this far right of and below the selection.
constexpr double kSelectionMarginMm = 10.0;

constexpr std::int32_t kTextNoDocument = 2;
constexpr std::int32_t kTextContourMissing = 18;
constexpr std::int32_t kTextNoSelection = 24;

ToolFailure OutOfRange(const char* what) {
  return {"Measuring the " + std::string(what),
          "the host gave an edge that is not a finite number within the job file's range"};
}

// The box of the current selection, taken afresh from the host.
HostResult<host::Box> SelectionBox(host::DrawingHost& host) {
  auto selection = host.GetSelectionRange();
  if (!selection) return selection.error();
  auto shapes = host.GetRangeShapes(selection.value());
  if (!shapes) return shapes.error();
  return host.RangeBoundingBox(shapes.value());
}

ToolStatus SelectionFrame(host::DrawingHost& host, const fs::path& jobFile) {
  if (auto document = EnterMeasuringState(host); !document) return document.error();
  auto bottomBox = SelectionBox(host);
  if (!bottomBox) return bottomBox.error();
  const auto y =
      FloorPlotterUnits((bottomBox.value().bottom - kSelectionMarginMm) * kPlotterUnitsPerMm);
  if (!y) return OutOfRange("selection");
  auto rightBox = SelectionBox(host);
  if (!rightBox) return rightBox.error();
  const auto x =
      FloorPlotterUnits((rightBox.value().right + kSelectionMarginMm) * kPlotterUnitsPerMm);
  if (!x) return OutOfRange("selection");
  return PrependJobLines(jobFile, job::dbLine(*x, *y));
}

ToolStatus CutPlotSteps(host::DrawingHost& host, const fs::path& jobFile) {
  if (auto document = EnterMeasuringState(host); !document) return document.error();
  return ExportSelectionAsPlt(host, jobFile);
}

HostStatus SetPrintable(host::DrawingHost& host, std::string_view layerName, bool printable) {
  auto layer = host.FindPageLayer(layerName);
  if (!layer) return layer.error();
  return host.SetLayerPrintable(layer.value(), printable);
}

// The marks are not exported, only their frame: for the time of the export
// the contour's layer prints and the marks' layer does not.
ToolStatus ContourExportSteps(host::DrawingHost& host, const fs::path& jobFile) {
  auto document = EnterMeasuringState(host);
  if (!document) return document.error();
  auto traceLayer = host.FindPageLayer(kTraceLayer);
  if (!traceLayer) return traceLayer.error();
  if (HostStatus s = host.SetLayerPrintable(traceLayer.value(), true); !s) return s.error();
  if (HostStatus s = SetPrintable(host, kMarkLayer, false); !s) return s.error();
  auto traceLine = host.FindLayerShape(traceLayer.value(), kTraceLine);
  if (!traceLine) return traceLine.error();
  if (HostStatus s = host.SelectShapes(document.value(), {traceLine.value()}); !s) {
    return s.error();
  }
  return ExportSelectionAsPlt(host, jobFile);
}

HostStatus RestorePrintableFlags(host::DrawingHost& host) {
  if (HostStatus s = SetPrintable(host, kTraceLayer, false); !s) return s;
  return SetPrintable(host, kMarkLayer, true);
}

ToolStatus MarkFrame(ToolContext& context, const fs::path& jobFile) {
  host::DrawingHost& host = context.host;
  if (auto document = EnterMeasuringState(host); !document) return document.error();
  auto markLayer = host.FindPageLayer(kMarkLayer);
  if (!markLayer) return markLayer.error();
  auto marks = host.GetLayerShapes(markLayer.value());
  if (!marks) return marks.error();
  auto frame = host.RangeBoundingBox(marks.value());
  if (!frame) return frame.error();
  const host::Box& box = frame.value();
  const auto width = FloorPlotterUnits((box.right - box.left) * kPlotterUnitsPerMm);
  const auto height = FloorPlotterUnits((box.top - box.bottom) * kPlotterUnitsPerMm);
  const auto right = FloorPlotterUnits(box.right * kPlotterUnitsPerMm);
  const auto bottom = FloorPlotterUnits(box.bottom * kPlotterUnitsPerMm);
  if (!width || !height || !right || !bottom) return OutOfRange("marks");

  using settings::kMarkCount;
  using settings::kMultiMark;
  const std::int32_t multiMark =
      context.ini.GetIniInt(kMultiMark.section, kMultiMark.key, kMultiMark.defaultValue);
  const std::int32_t count =
      context.ini.GetIniInt(kMarkCount.section, kMarkCount.key, kMarkCount.defaultValue);
  return PrependJobLines(
      jobFile, job::tbLine(*width, *height, *right, *bottom) + job::sbLine(multiMark ? count : 0));
}

bool Refuse(ToolContext& context, std::int32_t text) {
  ShowText(context, text, MessageIcon::Warning);
  return false;
}

bool Failed(ToolContext& context, const ToolFailure& failure) {
  ReportFailure(context, failure);
  return false;
}

}  // namespace

bool ExportCutPlot(ToolContext& context, const fs::path& jobFile) {
  host::DrawingHost& host = context.host;
  auto documents = host.CountOpenDocuments();
  if (!documents) return Failed(context, documents.error());
  if (documents.value() < 1) return Refuse(context, kTextNoDocument);
  auto selection = host.GetSelectionRange();
  if (!selection) return Failed(context, selection.error());
  auto count = host.RangeCount(selection.value());
  if (!count) return Failed(context, count.error());
  if (count.value() < 1) return Refuse(context, kTextNoSelection);

  if (ToolStatus exported = CutPlotSteps(host, jobFile); !exported) {
    return Failed(context, exported.error());
  }
  return WriteSelectionFrame(context, jobFile);
}

bool WriteSelectionFrame(ToolContext& context, const fs::path& jobFile) {
  const ToolStatus written = SelectionFrame(context.host, jobFile);
  if (written) return true;
  DiscardJobFile(jobFile);
  return Failed(context, written.error());
}

bool ExportContourCut(ToolContext& context, const fs::path& jobFile) {
  const HostResult<bool> present = ContourPresent(context.host);
  if (present.ok() && !present.value()) return Refuse(context, kTextContourMissing);
  if (!present.ok() || !ContourExportSteps(context.host, jobFile)) {
    ShowText(context, kTextContourMissing, MessageIcon::Critical);
    return false;
  }
  if (!WriteMarkFrame(context, jobFile)) return false;
  if (!RestorePrintableFlags(context.host)) {
    ShowText(context, kTextContourMissing, MessageIcon::Critical);
    return false;
  }
  return true;
}

bool WriteMarkFrame(ToolContext& context, const fs::path& jobFile) {
  if (!MarkFrame(context, jobFile)) {
    DiscardJobFile(jobFile);
    ShowText(context, kTextContourMissing, MessageIcon::Critical);
    return false;
  }
  return true;
}

bool OutputProgramPresent(const fs::path& outputProgram) {
  std::error_code error;
  return fs::is_regular_file(outputProgram, error);
}

bool StartOutputProgram(ToolContext& context, ProgramStarter& starter,
                        const fs::path& outputProgram) {
  const ToolStatus started = starter.Start(outputProgram);
  return started || Failed(context, started.error());
}

}  // namespace corvane::toolwindow

#include "toolwindow/standins/host/standin_call_log.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace corvane::standin {
namespace {

constexpr std::string_view kOperations[] = {
    "CountOpenDocuments", "GetActiveDocument", "GetCurrentLayer",   "GetSelectionRange",
    "NewCmykColour",      "NewCurve",          "NewExportOptions",  "SetMeasuringState",
    "SelectShapes",       "ExportDocument",    "SetFilterProperty", "FinishExport",
    "ListPageLayers",     "FindPageLayer",     "AddPageLayer",      "GetLayerName",
    "MakeLayerCurrent",   "RemoveLayer",       "SetLayerPrintable", "GetLayerShapes",
    "CountLayerShapes",   "FindLayerShape",    "PlaceCurveShape",   "RangeCount",
    "RangeItem",          "GetRangeShapes",    "RangeBoundingBox",  "MergeShapes",
    "RemoveShapes",       "GetShapeKind",      "VectoriseBitmap",   "FinishVectorising",
    "RunBoundaryCommand", "CopyShapeToLayer",  "RemoveShape",       "SetShapeName",
    "SetOutlineCmyk",     "SetOutlineWidth",   "ReadShapePosition", "ReadShapeSize",
    "AddContourEffect",   "SeparateEffect",    "BeginSubpath",      "ExtendSubpathLine",
};

}  // namespace

std::string Call::text() const {
  std::string out = operation;
  out += '(';
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) out += ", ";
    out += arguments[i];
  }
  out += ')';
  return out;
}

std::optional<host::HostError> CallLog::record(std::string_view operation,
                                               std::vector<std::string> arguments) {
  calls_.push_back(Call{std::string(operation), std::move(arguments)});
  auto count = counts_.find(operation);
  if (count == counts_.end()) count = counts_.emplace(std::string(operation), 0).first;
  const long now = ++count->second;
  const auto due = std::find_if(injections_.begin(), injections_.end(), [&](const Injection& i) {
    return i.operation == operation && i.at == now;
  });
  if (due == injections_.end()) return std::nullopt;
  host::HostError error{std::string(operation), std::move(due->text), due->kind};
  injections_.erase(due);
  return error;
}

void CallLog::failCall(std::string_view operation, int nth, std::string text,
                       host::HostFailure kind) {
  if (std::find(std::begin(kOperations), std::end(kOperations), operation) ==
      std::end(kOperations)) {
    throw std::invalid_argument("no host operation is called " + std::string(operation));
  }
  if (nth < 1) throw std::invalid_argument("failCall counts calls from 1");
  const auto count = counts_.find(operation);
  const long before = count == counts_.end() ? 0 : count->second;
  injections_.push_back(Injection{std::string(operation), before + nth, std::move(text), kind});
}

std::string argument(double value) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

std::string argument(std::int32_t value) { return std::to_string(value); }

std::string argument(bool value) { return value ? "true" : "false"; }

std::string quotedText(std::string_view text) {
  std::string out(1, '"');
  out += text;
  out += '"';
  return out;
}

std::string cmykText(const Cmyk& colour) {
  return "CMYK " + std::to_string(colour.cyan) + "," + std::to_string(colour.magenta) + "," +
         std::to_string(colour.yellow) + "," + std::to_string(colour.black);
}

}  // namespace corvane::standin

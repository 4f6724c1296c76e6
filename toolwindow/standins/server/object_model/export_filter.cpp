#include "toolwindow/standins/server/object_model/objects.h"

#include "common/win32/wide_text.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

// The filter's properties are put-only here: the DrawingHost cannot read
// them back, and the tool window only sets them. Each is one
// SetFilterProperty under the member's own name.
template <const wchar_t* name, ArgType type>
Member<ExportFilter> property() {
  return {put(name, type), nullptr, [](ExportFilter& self, const Arguments& a) {
            host::FilterValue value;
            if constexpr (type == ArgType::Real) value = a.real(0);
            if constexpr (type == ArgType::Int16) value = a.int16(0);
            if constexpr (type == ArgType::Flag) value = a.flag(0);
            return self.stand().SetFilterProperty(self.handle, utf8Text(name), value);
          }};
}

constexpr wchar_t kScaleFactor[] = L"ScaleFactor";
constexpr wchar_t kPlotterUnits[] = L"PlotterUnits";
constexpr wchar_t kCurveResolution[] = L"CurveResolution";
constexpr wchar_t kRemoveHiddenLines[] = L"RemoveHiddenLines";
constexpr wchar_t kAutomaticWeld[] = L"AutomaticWeld";

HostStatus finish(ExportFilter& self, const Arguments&, VARIANT*) {
  return self.stand().FinishExport(self.handle);
}

}  // namespace

const std::vector<Member<ExportFilter>>& ExportFilter::members() {
  static const std::vector<Member<ExportFilter>> table{
      property<kScaleFactor, ArgType::Real>(),     property<kPlotterUnits, ArgType::Int16>(),
      property<kCurveResolution, ArgType::Real>(), property<kRemoveHiddenLines, ArgType::Flag>(),
      property<kAutomaticWeld, ArgType::Flag>(),   {method(L"Finish"), finish},
  };
  return table;
}

// Passed to ExportEx only; it has no members.
const std::vector<Member<ExportOptions>>& ExportOptions::members() {
  static const std::vector<Member<ExportOptions>> table{};
  return table;
}

}  // namespace corvane::standin_server

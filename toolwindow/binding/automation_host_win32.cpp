#include "toolwindow/binding/automation_host_win32.h"

#include <type_traits>
#include <utility>
#include <variant>

#include "common/win32/wide_text.h"

#include "toolwindow/binding/dispatch_object_win32.h"
#include "toolwindow/binding/host_calls_win32.h"

// The application and its documents: the selection, the measuring state and
// the PLT export.
namespace corvane::host {

using K = ObjectKind;

AutomationHost::AutomationHost(std::unique_ptr<HostConnector> connector)
    : connector_(std::move(connector)) {}

AutomationHost::~AutomationHost() = default;

void AutomationHost::Disconnect() {
  application_.reset();
  invoker_.Forget();
  boundaryTakesEmptyArray_ = false;
}

void AutomationHost::BeginCommand() {
  Disconnect();
  inCommand_ = true;
  commandLost_ = {};
}

void AutomationHost::EndCommand() {
  Disconnect();
  inCommand_ = false;
  commandLost_ = {};
}

HostResult<std::int32_t> AutomationHost::CountOpenDocuments() {
  HostCalls calls(*this, "CountOpenDocuments");
  auto app = calls.Application();
  if (!app) return app.error();
  auto documents = calls.Object(app.value().get(), K::Application, L"Documents");
  if (!documents) return documents.error();
  return calls.Int32(documents.value().get(), K::Documents, L"Count");
}

HostResult<Document> AutomationHost::GetActiveDocument() {
  HostCalls calls(*this, "GetActiveDocument");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<Document>(calls.Object(app.value().get(), K::Application, L"ActiveDocument"));
}

HostResult<Layer> AutomationHost::GetCurrentLayer() {
  HostCalls calls(*this, "GetCurrentLayer");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<Layer>(calls.Object(app.value().get(), K::Application, L"ActiveLayer"));
}

HostResult<ShapeRange> AutomationHost::GetSelectionRange() {
  HostCalls calls(*this, "GetSelectionRange");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<ShapeRange>(
      calls.Object(app.value().get(), K::Application, L"ActiveSelectionRange"));
}

HostResult<Colour> AutomationHost::NewCmykColour(std::int32_t cyan, std::int32_t magenta,
                                                 std::int32_t yellow, std::int32_t black) {
  HostCalls calls(*this, "NewCmykColour");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<Colour>(
      calls.Method(app.value().get(), K::Application, L"CreateCMYKColor",
                   ArgumentList().Int32(cyan).Int32(magenta).Int32(yellow).Int32(black)));
}

HostResult<Curve> AutomationHost::NewCurve(const Document& document) {
  HostCalls calls(*this, "NewCurve");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<Curve>(calls.Method(app.value().get(), K::Application, L"CreateCurve",
                                     ArgumentList().Object(DispatchOf(document))));
}

HostResult<ExportOptions> AutomationHost::NewExportOptions() {
  HostCalls calls(*this, "NewExportOptions");
  auto app = calls.Application();
  if (!app) return app.error();
  return Wrapped<ExportOptions>(
      calls.Method(app.value().get(), K::Application, L"CreateStructExportOptions"));
}

HostStatus AutomationHost::SetMeasuringState(const Document& document, double originX,
                                             double originY, std::int32_t unitCode,
                                             std::int32_t referenceCode) {
  HostCalls calls(*this, "SetMeasuringState");
  IDispatch* target = DispatchOf(document);
  if (auto s = calls.Put(target, K::Document, L"DrawingOriginX", ArgumentList().Real(originX)); !s)
    return s;
  if (auto s = calls.Put(target, K::Document, L"DrawingOriginY", ArgumentList().Real(originY)); !s)
    return s;
  if (auto s = calls.Put(target, K::Document, L"Unit", ArgumentList().Int32(unitCode)); !s)
    return s;
  return calls.Put(target, K::Document, L"ReferencePoint", ArgumentList().Int32(referenceCode));
}

// The document's own CreateSelection and AddToSelection take a parameter
// array; a shape range made for the purpose selects without one, replacing
// the selection in the document its shapes belong to.
HostStatus AutomationHost::SelectShapes(const Document&, const std::vector<Shape>& shapes) {
  HostCalls calls(*this, "SelectShapes");
  auto app = calls.Application();
  if (!app) return app.error();
  auto range = calls.Method(app.value().get(), K::Application, L"CreateShapeRange");
  if (!range) return range.error();
  for (const Shape& shape : shapes) {
    if (auto s = calls.Run(range.value().get(), K::ShapeRange, L"Add",
                           ArgumentList().Object(DispatchOf(shape)));
        !s) {
      return s;
    }
  }
  return calls.Run(range.value().get(), K::ShapeRange, L"CreateSelection");
}

HostResult<ExportFilter> AutomationHost::ExportDocument(const Document& document,
                                                        std::string_view file, std::int32_t filter,
                                                        std::int32_t rangeCode,
                                                        const ExportOptions& options) {
  HostCalls calls(*this, "ExportDocument");
  return Wrapped<ExportFilter>(calls.Method(DispatchOf(document), K::Document, L"ExportEx",
                                            ArgumentList()
                                                .Text(file)
                                                .Int32(filter)
                                                .Int32(rangeCode)
                                                .Object(DispatchOf(options))
                                                .Nothing()));
}

HostStatus AutomationHost::SetFilterProperty(const ExportFilter& filter, std::string_view name,
                                             const FilterValue& value) {
  HostCalls calls(*this, "SetFilterProperty");
  ArgumentList argument = std::visit(
      [](auto v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>) {
          return ArgumentList().Real(v);
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
          return ArgumentList().Int16(v);
        } else {
          return ArgumentList().Boolean(v);
        }
      },
      value);
  return calls.Put(DispatchOf(filter), K::ExportFilter, wideText(name), std::move(argument));
}

HostStatus AutomationHost::FinishExport(const ExportFilter& filter) {
  HostCalls calls(*this, "FinishExport");
  return calls.Run(DispatchOf(filter), K::ExportFilter, L"Finish");
}

}  // namespace corvane::host

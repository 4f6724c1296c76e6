#include "toolwindow/standins/server/object_model/objects.h"

#include <type_traits>

#include "toolwindow/standins/server/dispatch/standin_peek.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

HostStatus count(Documents& self, const Arguments&, VARIANT* r) {
  return self.answer(self.stand().CountOpenDocuments(), r);
}

// The DrawingHost cannot read the measuring state back: the getters read
// it off the stand-in. Each put is one SetMeasuringState call that keeps
// the other three values as the document has them.
template <auto field>
HostStatus getMeasuring(Document& self, const Arguments&, VARIANT* r) {
  return answered(r, documentUnits(self.handle).*field);
}

template <auto field>
HostStatus putMeasuring(Document& self, const Arguments& a) {
  DocumentUnits now = documentUnits(self.handle);
  if constexpr (std::is_same_v<std::remove_reference_t<decltype(now.*field)>, double>) {
    now.*field = a.real(0);
  } else {
    now.*field = a.int32(0);
  }
  return self.stand().SetMeasuringState(self.handle, now.originX, now.originY, now.unitCode,
                                        now.referenceCode);
}

HostStatus clearSelection(Document& self, const Arguments&, VARIANT*) {
  return self.stand().SelectShapes(self.handle, {});
}

HostStatus exportEx(Document& self, const Arguments& a, VARIANT* r) {
  const auto* options = objectArg<ExportOptions>(a, 3);
  return self.answerAs<ExportFilter>(
      self.stand().ExportDocument(self.handle, a.text(0), a.int32(1), a.int32(2, 1),
                                  options ? options->handle : host::ExportOptions()),
      r);
}

HostStatus activePage(Document& self, const Arguments&, VARIANT* r) {
  return answered(r, new Page(self.state()));
}

HostStatus activeLayer(Document& self, const Arguments&, VARIANT* r) {
  return self.answerAs<Layer>(self.stand().GetCurrentLayer(), r);
}

HostStatus selectionRange(Document& self, const Arguments&, VARIANT* r) {
  return self.answerAs<ShapeRange>(self.stand().GetSelectionRange(), r);
}

}  // namespace

const std::vector<Member<Documents>>& Documents::members() {
  static const std::vector<Member<Documents>> table{
      {get(L"Count"), count},
  };
  return table;
}

const std::vector<Member<Document>>& Document::members() {
  using Units = DocumentUnits;
  static const std::vector<Member<Document>> table{
      {getPut(L"Unit", ArgType::Int32), getMeasuring<&Units::unitCode>,
       putMeasuring<&Units::unitCode>},
      {getPut(L"ReferencePoint", ArgType::Int32), getMeasuring<&Units::referenceCode>,
       putMeasuring<&Units::referenceCode>},
      {getPut(L"DrawingOriginX", ArgType::Real), getMeasuring<&Units::originX>,
       putMeasuring<&Units::originX>},
      {getPut(L"DrawingOriginY", ArgType::Real), getMeasuring<&Units::originY>,
       putMeasuring<&Units::originY>},
      {method(L"ClearSelection"), clearSelection},
      {method(L"ExportEx",
              {kText, kInt32, optional(kInt32), object(ObjectKind::ExportOptions, true),
               object(ObjectKind::PaletteOptions, true)}),
       exportEx},
      {get(L"ActivePage"), activePage},
      {get(L"ActiveLayer"), activeLayer},
      {get(L"SelectionRange"), selectionRange},
  };
  return table;
}

}  // namespace corvane::standin_server

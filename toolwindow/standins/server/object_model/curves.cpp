#include "toolwindow/standins/server/object_model/objects.h"

#include "toolwindow/standins/server/dispatch/standin_peek.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

HostStatus createSubPath(Curve& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<SubPath>(self.stand().BeginSubpath(self.handle, a.real(0), a.real(1)), r);
}

// The host returns the new segment; no caller here uses it, so the
// stand-in answers Nothing.
HostStatus appendLineSegment(SubPath& self, const Arguments& a, VARIANT* r) {
  if (a.flag(2, false)) return refused("The stand-in server appends only at the end.");
  if (HostStatus added = self.stand().ExtendSubpathLine(self.handle, a.real(0), a.real(1));
      !added) {
    return added;
  }
  return answered(r, kNothing);
}

// No DrawingHost operation closes a subpath: done on the stand-in.
HostStatus setClosed(SubPath& self, const Arguments& a) {
  if (!a.flag(0)) return refused("The stand-in server does not open a closed subpath.");
  closeSubpath(self.handle);
  return {};
}

}  // namespace

const std::vector<Member<Curve>>& Curve::members() {
  static const std::vector<Member<Curve>> table{
      {method(L"CreateSubPath", {kReal, kReal}), createSubPath},
  };
  return table;
}

const std::vector<Member<SubPath>>& SubPath::members() {
  static const std::vector<Member<SubPath>> table{
      {method(L"AppendLineSegment", {kReal, kReal, optional(kFlag)}), appendLineSegment},
      {put(L"Closed", ArgType::Flag), nullptr, setClosed},
  };
  return table;
}

}  // namespace corvane::standin_server

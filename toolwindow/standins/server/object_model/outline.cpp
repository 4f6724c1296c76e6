#include "toolwindow/standins/server/object_model/objects.h"

#include "toolwindow/standins/server/dispatch/standin_peek.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

// The DrawingHost only sets the outline: the getters read it off the
// stand-in.
HostStatus width(Outline& self, const Arguments&, VARIANT* r) {
  return answered(r, outlineWidth(self.shape));
}

HostStatus setWidth(Outline& self, const Arguments& a) {
  return self.stand().SetOutlineWidth(self.shape, a.real(0));
}

HostStatus color(Outline& self, const Arguments&, VARIANT* r) {
  return answered(r, new Color(self.state(), self.shape));
}

HostStatus setColor(Outline& self, const Arguments& a) {
  const auto* color = objectArg<Color>(a, 0);
  const standin::Cmyk cmyk = color->colour ? colourOf(color->colour) : outlineColour(color->shape);
  return self.stand().SetOutlineCmyk(self.shape, cmyk.cyan, cmyk.magenta, cmyk.yellow, cmyk.black);
}

// An outline's colour is set on the outline; a colour of its own becomes a
// new colour handle.
HostStatus cmykAssign(Color& self, const Arguments& a, VARIANT*) {
  if (self.shape) {
    return self.stand().SetOutlineCmyk(self.shape, a.int32(0), a.int32(1), a.int32(2), a.int32(3));
  }
  auto colour = self.stand().NewCmykColour(a.int32(0), a.int32(1), a.int32(2), a.int32(3));
  if (!colour) return colour.error();
  self.colour = colour.value();
  return {};
}

}  // namespace

const std::vector<Member<Outline>>& Outline::members() {
  static const std::vector<Member<Outline>> table{
      {getPut(L"Width", ArgType::Real), width, setWidth},
      {getPut(L"Color", ArgType::Object, ObjectKind::Color), color, setColor},
  };
  return table;
}

const std::vector<Member<Color>>& Color::members() {
  static const std::vector<Member<Color>> table{
      {method(L"CMYKAssign", {kInt32, kInt32, kInt32, kInt32}), cmykAssign},
  };
  return table;
}

}  // namespace corvane::standin_server

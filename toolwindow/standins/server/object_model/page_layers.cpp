#include "toolwindow/standins/server/object_model/objects.h"

#include <cstdint>

#include "toolwindow/standins/server/dispatch/standin_peek.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

HostStatus layers(Page& self, const Arguments&, VARIANT* r) {
  return answered(r, new Layers(self.state()));
}

HostStatus createLayer(Page& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Layer>(self.stand().AddPageLayer(a.text(0)), r);
}

HostStatus activeLayer(Page& self, const Arguments&, VARIANT* r) {
  return self.answerAs<Layer>(self.stand().GetCurrentLayer(), r);
}

HostStatus count(Layers& self, const Arguments&, VARIANT* r) {
  auto layers = self.stand().ListPageLayers();
  if (!layers) return layers.error();
  return answered(r, static_cast<std::int32_t>(layers.value().size()));
}

HostStatus item(Layers& self, const Arguments& a, VARIANT* r) {
  if (a.isName(0)) return self.answerAs<Layer>(self.stand().FindPageLayer(a.text(0)), r);
  auto layers = self.stand().ListPageLayers();
  if (!layers) return layers.error();
  const std::int32_t n = a.int32(0);
  if (n < 1 || static_cast<std::size_t>(n) > layers.value().size()) {
    return refused("Index out of range.");
  }
  return answered(r, new Layer(self.state(), layers.value()[static_cast<std::size_t>(n - 1)]));
}

HostStatus find(Layers& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Layer>(self.stand().FindPageLayer(a.text(0)), r);
}

HostStatus name(Layer& self, const Arguments&, VARIANT* r) {
  return self.answer(self.stand().GetLayerName(self.handle), r);
}

HostStatus activate(Layer& self, const Arguments&, VARIANT*) {
  return self.stand().MakeLayerCurrent(self.handle);
}

HostStatus removeLayer(Layer& self, const Arguments&, VARIANT*) {
  return self.stand().RemoveLayer(self.handle);
}

// The DrawingHost only sets it: the getter reads it off the stand-in.
HostStatus printable(Layer& self, const Arguments&, VARIANT* r) {
  setFlagResult(r, layerPrintable(self.handle));
  return {};
}

HostStatus setPrintable(Layer& self, const Arguments& a) {
  return self.stand().SetLayerPrintable(self.handle, a.flag(0));
}

HostStatus shapes(Layer& self, const Arguments&, VARIANT* r) {
  return answered(r, new Shapes(self.state(), self.handle));
}

HostStatus findShape(Layer& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Shape>(self.stand().FindLayerShape(self.handle, a.text(0)), r);
}

HostStatus createCurve(Layer& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Shape>(
      self.stand().PlaceCurveShape(self.handle, objectArg<Curve>(a, 0)->handle), r);
}

}  // namespace

const std::vector<Member<Page>>& Page::members() {
  static const std::vector<Member<Page>> table{
      {get(L"Layers"), layers},
      {method(L"CreateLayer", {kText}), createLayer},
      {get(L"ActiveLayer"), activeLayer},
  };
  return table;
}

const std::vector<Member<Layers>>& Layers::members() {
  static const std::vector<Member<Layers>> table{
      {get(L"Count"), count},
      {get(L"Item", {kIndex}), item},
      {method(L"Find", {kText}), find},
  };
  return table;
}

const std::vector<Member<Layer>>& Layer::members() {
  static const std::vector<Member<Layer>> table{
      {get(L"Name"), name},
      {method(L"Activate"), activate},
      {method(L"Delete"), removeLayer},
      {getPut(L"Printable", ArgType::Flag), printable, setPrintable},
      {get(L"Shapes"), shapes},
      {method(L"FindShape", {optional(kText), optional(kInt32), optional(kInt32), optional(kFlag)}),
       findShape},
      {method(L"CreateCurve", {object(ObjectKind::Curve)}), createCurve},
  };
  return table;
}

}  // namespace corvane::standin_server

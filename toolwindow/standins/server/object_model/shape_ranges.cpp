#include "toolwindow/standins/server/object_model/shape_ranges.h"

#include <cstdint>

#include "toolwindow/standins/server/object_model/objects.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostError;
using host::HostResult;
using host::HostStatus;
using namespace signatures;

constexpr const char* kByNameOnLayers = "The stand-in server finds shapes by name on layers.";

HostStatus count(Shapes& self, const Arguments&, VARIANT* r) {
  return self.answer(
      self.layer ? self.stand().CountLayerShapes(self.layer) : self.stand().RangeCount(self.range),
      r);
}

HostStatus item(Shapes& self, const Arguments& a, VARIANT* r) {
  if (a.isName(0)) {
    if (!self.layer) return refused(kByNameOnLayers);
    return self.answerAs<Shape>(self.stand().FindLayerShape(self.layer, a.text(0)), r);
  }
  host::ShapeRange range = self.range;
  if (self.layer) {
    auto all = self.stand().GetLayerShapes(self.layer);
    if (!all) return all.error();
    range = all.value();
  }
  return self.answerAs<Shape>(self.stand().RangeItem(range, a.int32(0)), r);
}

HostStatus all(Shapes& self, const Arguments&, VARIANT* r) {
  return self.answerAs<ShapeRange>(self.layer ? self.stand().GetLayerShapes(self.layer)
                                              : self.stand().GetRangeShapes(self.range),
                                   r);
}

HostStatus findShape(Shapes& self, const Arguments& a, VARIANT* r) {
  if (!self.layer) return refused(kByNameOnLayers);
  return self.answerAs<Shape>(self.stand().FindLayerShape(self.layer, a.text(0)), r);
}

HostError onlyHostRanges() {
  return refused("The stand-in server does this only on ranges the host made.");
}

HostResult<host::Box> boxOf(const ShapeRange& range) {
  if (!range.handle) return onlyHostRanges();
  return range.stand().RangeBoundingBox(range.handle);
}

HostStatus count(ShapeRange& self, const Arguments&, VARIANT* r) {
  if (!self.handle) return answered(r, static_cast<std::int32_t>(self.made.size()));
  return self.answer(self.stand().RangeCount(self.handle), r);
}

HostStatus item(ShapeRange& self, const Arguments& a, VARIANT* r) {
  if (a.isName(0)) return refused("The stand-in server takes range items by number.");
  const std::int32_t n = a.int32(0);
  if (self.handle) return self.answerAs<Shape>(self.stand().RangeItem(self.handle, n), r);
  if (n < 1 || static_cast<std::size_t>(n) > self.made.size()) {
    return refused("Index out of range.");
  }
  return answered(r, new Shape(self.state(), self.made[static_cast<std::size_t>(n - 1)]));
}

HostStatus shapes(ShapeRange& self, const Arguments&, VARIANT* r) {
  if (!self.handle) return onlyHostRanges();
  return answered(r, new Shapes(self.state(), self.handle));
}

HostStatus add(ShapeRange& self, const Arguments& a, VARIANT*) {
  if (self.handle) return refused("The stand-in server adds only to a CreateShapeRange.");
  self.made.push_back(objectArg<Shape>(a, 0)->handle);
  return {};
}

HostStatus createSelection(ShapeRange& self, const Arguments&, VARIANT*) {
  auto shapes = shapesOf(self.stand(), self.handle, self.made);
  if (!shapes) return shapes.error();
  return selectShapes(self.stand(), shapes.value());
}

HostStatus getBoundingBox(ShapeRange& self, const Arguments& a, VARIANT*) {
  auto box = boxOf(self);
  if (!box) return box.error();
  setBoxOuts(a, box.value());
  return {};
}

template <double host::Box::*side>
HostStatus boxSide(ShapeRange& self, const Arguments&, VARIANT* r) {
  auto box = boxOf(self);
  if (!box) return box.error();
  return answered(r, box.value().*side);
}

HostStatus combine(ShapeRange& self, const Arguments&, VARIANT* r) {
  if (!self.handle) return onlyHostRanges();
  return self.answerAs<Shape>(self.stand().MergeShapes(self.handle), r);
}

HostStatus removeShapes(ShapeRange& self, const Arguments&, VARIANT*) {
  if (self.handle) return self.stand().RemoveShapes(self.handle);
  for (const host::Shape& shape : self.made) {
    if (HostStatus removed = self.stand().RemoveShape(shape); !removed) return removed;
  }
  return {};
}

HostStatus customCommand(ShapeRange& self, const Arguments& a, VARIANT* r) {
  if (!self.handle) return onlyHostRanges();
  if (HostStatus checked = noParameters(a); !checked) return checked;
  return self.answerAs<Shape>(self.stand().RunBoundaryCommand(self.handle, a.text(0), a.text(1)),
                              r);
}

}  // namespace

HostResult<std::vector<host::Shape>> shapesOf(standin::StandInHost& stand,
                                              const host::ShapeRange& range,
                                              const std::vector<host::Shape>& made) {
  if (!range) return made;
  auto count = stand.RangeCount(range);
  if (!count) return count.error();
  std::vector<host::Shape> shapes;
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto shape = stand.RangeItem(range, n);
    if (!shape) return shape.error();
    shapes.push_back(std::move(shape).value());
  }
  return shapes;
}

HostStatus selectShapes(standin::StandInHost& stand, const std::vector<host::Shape>& shapes) {
  auto document = stand.GetActiveDocument();
  if (!document) return document.error();
  return stand.SelectShapes(document.value(), shapes);
}

void setBoxOuts(const Arguments& arguments, const host::Box& box) {
  arguments.setOut(0, box.left);
  arguments.setOut(1, box.bottom);
  arguments.setOut(2, box.right - box.left);
  arguments.setOut(3, box.top - box.bottom);
}

HostStatus noParameters(const Arguments& arguments) {
  if (arguments.extraValues() > 0) return refused("The command takes no parameters.");
  return {};
}

const std::vector<Member<Shapes>>& Shapes::members() {
  static const std::vector<Member<Shapes>> table{
      {get(L"Count"), count},
      {get(L"Item", {kIndex}), item},
      {method(L"All"), all},
      {method(L"FindShape", {optional(kText), optional(kInt32), optional(kInt32), optional(kFlag),
                             optional(kText)}),
       findShape},
  };
  return table;
}

const std::vector<Member<ShapeRange>>& ShapeRange::members() {
  static const std::vector<Member<ShapeRange>> table{
      {get(L"Count"), count},
      {get(L"Item", {kIndex}), item},
      {get(L"Shapes"), shapes},
      {method(L"Add", {object(ObjectKind::Shape)}), add},
      {method(L"CreateSelection"), createSelection},
      {method(L"GetBoundingBox", {kOut, kOut, kOut, kOut, optional(kFlag)}), getBoundingBox},
      {get(L"LeftX"), boxSide<&host::Box::left>},
      {get(L"RightX"), boxSide<&host::Box::right>},
      {get(L"TopY"), boxSide<&host::Box::top>},
      {get(L"BottomY"), boxSide<&host::Box::bottom>},
      {method(L"Combine"), combine},
      {method(L"Delete"), removeShapes},
      {method(L"CustomCommand", {kText, kText, kMore}), customCommand},
  };
  return table;
}

}  // namespace corvane::standin_server

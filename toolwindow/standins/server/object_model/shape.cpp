#include "toolwindow/standins/server/object_model/objects.h"

#include <cstddef>
#include <optional>

#include "toolwindow/standins/server/dispatch/standin_peek.h"
#include "toolwindow/standins/server/object_model/shape_ranges.h"
#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostResult;
using host::HostStatus;
using namespace signatures;

HostStatus type(Shape& self, const Arguments&, VARIANT* r) {
  return self.answer(self.stand().GetShapeKind(self.handle), r);
}

// The DrawingHost only sets the name: the getter reads it off the stand-in.
HostStatus name(Shape& self, const Arguments&, VARIANT* r) {
  return answered(r, shapeName(self.handle));
}

HostStatus setName(Shape& self, const Arguments& a) {
  return self.stand().SetShapeName(self.handle, a.text(0));
}

HostStatus removeShape(Shape& self, const Arguments&, VARIANT*) {
  return self.stand().RemoveShape(self.handle);
}

HostStatus copyToLayer(Shape& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Shape>(
      self.stand().CopyShapeToLayer(self.handle, objectArg<Layer>(a, 0)->handle), r);
}

HostStatus outline(Shape& self, const Arguments&, VARIANT* r) {
  return answered(r, new Outline(self.state(), self.handle));
}

// No DrawingHost operation measures one shape: read off the stand-in.
HostStatus getBoundingBox(Shape& self, const Arguments& a, VARIANT*) {
  const std::optional<host::Box> box = shapeBox(self.handle);
  if (!box) return refused("The shape has no points to measure.");
  setBoxOuts(a, *box);
  return {};
}

// GetPosition and GetSize: the two values of a reading as [out] doubles.
template <class Reading>
HostStatus setPairOuts(const Arguments& a, const HostResult<Reading>& reading,
                       double Reading::*first, double Reading::*second) {
  if (!reading) return reading.error();
  a.setOut(0, reading.value().*first);
  a.setOut(1, reading.value().*second);
  return {};
}

HostStatus getPosition(Shape& self, const Arguments& a, VARIANT*) {
  return setPairOuts(a, self.stand().ReadShapePosition(self.handle), &host::Point::x,
                     &host::Point::y);
}

HostStatus getSize(Shape& self, const Arguments& a, VARIANT*) {
  return setPairOuts(a, self.stand().ReadShapeSize(self.handle), &host::Size::width,
                     &host::Size::height);
}

HostStatus bitmap(Shape& self, const Arguments&, VARIANT* r) {
  return answered(r, new Bitmap(self.state(), self.handle));
}

// A Color argument as a colour handle: Nothing as none, an outline's colour
// as a new colour of the same CMYK.
HostResult<host::Colour> colourHandle(standin::StandInHost& stand, const Color* color) {
  if (color == nullptr) return host::Colour();
  if (color->colour) return color->colour;
  const standin::Cmyk cmyk = outlineColour(color->shape);
  return stand.NewCmykColour(cmyk.cyan, cmyk.magenta, cmyk.yellow, cmyk.black);
}

// Defaults as the host declares them.
HostStatus createContour(Shape& self, const Arguments& a, VARIANT* r) {
  host::ContourArguments contour;
  contour.direction = a.int32(0, 1);
  contour.offset = a.real(1, 0.0);
  contour.steps = a.int32(2, 1);
  contour.blendType = a.int32(3, 0);
  host::Colour* colours[] = {&contour.outlineColour, &contour.fillColour, &contour.fillColour2};
  for (std::size_t i = 0; i < 3; ++i) {
    auto colour = colourHandle(self.stand(), objectArg<Color>(a, 4 + i));
    if (!colour) return colour.error();
    *colours[i] = colour.value();
  }
  contour.spacingAcceleration = a.int32(7, 0);
  contour.colourAcceleration = a.int32(8, 0);
  contour.endCapType = a.int32(9, 2);
  contour.cornerType = a.int32(10, 4);
  contour.miterLimit = a.real(11, 0.0);
  return self.answerAs<Effect>(self.stand().AddContourEffect(self.handle, contour), r);
}

HostStatus customCommand(Shape& self, const Arguments& a, VARIANT* r) {
  if (HostStatus checked = noParameters(a); !checked) return checked;
  return self.answerAs<Shape>(self.stand().RunBoundaryCommand(self.handle, a.text(0), a.text(1)),
                              r);
}

// Adds to the active document's selection: read it, then select it with
// this shape.
HostStatus addToSelection(Shape& self, const Arguments&, VARIANT*) {
  auto selection = self.stand().GetSelectionRange();
  if (!selection) return selection.error();
  auto shapes = shapesOf(self.stand(), selection.value());
  if (!shapes) return shapes.error();
  shapes.value().push_back(self.handle);
  return selectShapes(self.stand(), shapes.value());
}

}  // namespace

const std::vector<Member<Shape>>& Shape::members() {
  static const std::vector<Member<Shape>> table{
      {get(L"Type"), type},
      {getPut(L"Name", ArgType::Text), name, setName},
      {method(L"Delete"), removeShape},
      {method(L"CopyToLayer", {object(ObjectKind::Layer)}), copyToLayer},
      {get(L"Outline"), outline},
      {method(L"GetBoundingBox", {kOut, kOut, kOut, kOut, optional(kFlag)}), getBoundingBox},
      {method(L"GetPosition", {kOut, kOut}), getPosition},
      {method(L"GetSize", {kOut, kOut}), getSize},
      {get(L"Bitmap"), bitmap},
      {method(L"CreateContour",
              {optional(kInt32), optional(kReal), optional(kInt32), optional(kInt32),
               object(ObjectKind::Color, true), object(ObjectKind::Color, true),
               object(ObjectKind::Color, true), optional(kInt32), optional(kInt32),
               optional(kInt32), optional(kInt32), optional(kReal)}),
       createContour},
      {method(L"CustomCommand", {kText, kText, kMore}), customCommand},
      {method(L"AddToSelection"), addToSelection},
  };
  return table;
}

}  // namespace corvane::standin_server

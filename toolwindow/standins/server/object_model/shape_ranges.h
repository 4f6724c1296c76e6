#pragma once

// Shapes and ShapeRange, and what a range and a single shape share: their
// shapes as a list, selecting a list, the four measures of a box and the
// boundary command's parameters.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

// The shapes of a layer, or of a range.
class Shapes : public Served<Shapes> {
 public:
  Shapes(ServerState& state, host::Layer given)
      : Served(ObjectKind::Shapes, state), layer(std::move(given)) {}
  Shapes(ServerState& state, host::ShapeRange given)
      : Served(ObjectKind::Shapes, state), range(std::move(given)) {}
  static const std::vector<Member<Shapes>>& members();
  host::Layer layer;
  host::ShapeRange range;
};

// A range the host gave, or one made by CreateShapeRange and Add: the
// DrawingHost has no operation that makes a range, so a made one is a list
// of shapes here and does what the operations allow on a list.
class ShapeRange : public Served<ShapeRange> {
 public:
  ShapeRange(ServerState& state, host::ShapeRange given)
      : Served(ObjectKind::ShapeRange, state), handle(std::move(given)) {}
  explicit ShapeRange(ServerState& state) : Served(ObjectKind::ShapeRange, state) {}
  static const std::vector<Member<ShapeRange>>& members();
  host::ShapeRange handle;
  std::vector<host::Shape> made;
};

// The shapes of a host's range, one RangeItem each; a made range's list
// when there is no handle.
host::HostResult<std::vector<host::Shape>> shapesOf(standin::StandInHost& stand,
                                                    const host::ShapeRange& range,
                                                    const std::vector<host::Shape>& made = {});
// Makes them the active document's selection.
host::HostStatus selectShapes(standin::StandInHost& stand, const std::vector<host::Shape>& shapes);
// GetBoundingBox's four [out] values: x, y of the lower-left corner, width,
// height.
void setBoxOuts(const Arguments& arguments, const host::Box& box);
// CustomCommand takes nothing, or one empty array, after its two texts.
host::HostStatus noParameters(const Arguments& arguments);

}  // namespace corvane::standin_server

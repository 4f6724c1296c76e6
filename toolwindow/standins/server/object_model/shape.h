#pragma once

// Shape: one shape of a layer, with its outline, its bitmap, its contour
// and the boundary command.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Shape : public Served<Shape> {
 public:
  Shape(ServerState& state, host::Shape given)
      : Served(ObjectKind::Shape, state), handle(std::move(given)) {}
  static const std::vector<Member<Shape>>& members();
  host::Shape handle;
};

}  // namespace corvane::standin_server

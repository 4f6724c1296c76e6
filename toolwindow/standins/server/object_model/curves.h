#pragma once

// Curve and SubPath: a curve built point by point, then placed on a layer
// with Layer.CreateCurve.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Curve : public Served<Curve> {
 public:
  Curve(ServerState& state, host::Curve given)
      : Served(ObjectKind::Curve, state), handle(std::move(given)) {}
  static const std::vector<Member<Curve>>& members();
  host::Curve handle;
};

class SubPath : public Served<SubPath> {
 public:
  SubPath(ServerState& state, host::Subpath given)
      : Served(ObjectKind::SubPath, state), handle(std::move(given)) {}
  static const std::vector<Member<SubPath>>& members();
  host::Subpath handle;
};

}  // namespace corvane::standin_server

#pragma once

// Bitmap, TraceSettings and Effect: vectorising a bitmap shape, and the
// contour effect a shape was given.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Bitmap : public Served<Bitmap> {
 public:
  Bitmap(ServerState& state, host::Shape given)
      : Served(ObjectKind::Bitmap, state), shape(std::move(given)) {}
  static const std::vector<Member<Bitmap>>& members();
  host::Shape shape;
};

class TraceSettings : public Served<TraceSettings> {
 public:
  TraceSettings(ServerState& state, host::Vectorising given)
      : Served(ObjectKind::TraceSettings, state), handle(std::move(given)) {}
  static const std::vector<Member<TraceSettings>>& members();
  host::Vectorising handle;
};

class Effect : public Served<Effect> {
 public:
  Effect(ServerState& state, host::Effect given)
      : Served(ObjectKind::Effect, state), handle(std::move(given)) {}
  static const std::vector<Member<Effect>>& members();
  host::Effect handle;
};

}  // namespace corvane::standin_server

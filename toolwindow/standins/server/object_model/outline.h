#pragma once

// Outline and Color: a shape's outline, and its colour or a colour of its
// own (Application.CreateCMYKColor).

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Outline : public Served<Outline> {
 public:
  Outline(ServerState& state, host::Shape given)
      : Served(ObjectKind::Outline, state), shape(std::move(given)) {}
  static const std::vector<Member<Outline>>& members();
  host::Shape shape;
};

class Color : public Served<Color> {
 public:
  Color(ServerState& state, host::Shape given)
      : Served(ObjectKind::Color, state), shape(std::move(given)) {}
  Color(ServerState& state, host::Colour given)
      : Served(ObjectKind::Color, state), colour(std::move(given)) {}
  static const std::vector<Member<Color>>& members();
  host::Shape shape;
  host::Colour colour;
};

}  // namespace corvane::standin_server

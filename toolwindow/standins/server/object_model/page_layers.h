#pragma once

// Page, Layers and Layer. The page is always the active one: the
// DrawingHost operations on layers all act on it.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Page : public Served<Page> {
 public:
  explicit Page(ServerState& state) : Served(ObjectKind::Page, state) {}
  static const std::vector<Member<Page>>& members();
};

class Layers : public Served<Layers> {
 public:
  explicit Layers(ServerState& state) : Served(ObjectKind::Layers, state) {}
  static const std::vector<Member<Layers>>& members();
};

class Layer : public Served<Layer> {
 public:
  Layer(ServerState& state, host::Layer given)
      : Served(ObjectKind::Layer, state), handle(std::move(given)) {}
  static const std::vector<Member<Layer>>& members();
  host::Layer handle;
};

}  // namespace corvane::standin_server

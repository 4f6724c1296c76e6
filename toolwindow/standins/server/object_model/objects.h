#pragma once

// The objects of the host's object model, by kind; each kind's member table
// is in the file of its name (application.cpp, document.cpp, ...). Every
// object holds the server's state and hands it on to the objects it makes.

#include <cstdint>
#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

// --- application.cpp: what a client of the three classes is handed. Every
// Application works on the one stand-in host; they differ only in the
// VersionMajor of their class.
class Application : public Served<Application> {
 public:
  Application(ServerState& state, std::int32_t versionMajor)
      : Served(ObjectKind::Application, state), version(versionMajor) {}
  static const std::vector<Member<Application>>& members();
  std::int32_t version;
};

// --- document.cpp: the open documents, and one with its measuring state,
// selection and export.
class Documents : public Served<Documents> {
 public:
  explicit Documents(ServerState& state) : Served(ObjectKind::Documents, state) {}
  static const std::vector<Member<Documents>>& members();
};

class Document : public Served<Document> {
 public:
  Document(ServerState& state, host::Document given)
      : Served(ObjectKind::Document, state), handle(std::move(given)) {}
  static const std::vector<Member<Document>>& members();
  host::Document handle;
};

// --- export_filter.cpp: what Document.ExportEx starts, and the options
// Application.CreateStructExportOptions makes for it.
class ExportFilter : public Served<ExportFilter> {
 public:
  ExportFilter(ServerState& state, host::ExportFilter given)
      : Served(ObjectKind::ExportFilter, state), handle(std::move(given)) {}
  static const std::vector<Member<ExportFilter>>& members();
  host::ExportFilter handle;
};

class ExportOptions : public Served<ExportOptions> {
 public:
  ExportOptions(ServerState& state, host::ExportOptions given)
      : Served(ObjectKind::ExportOptions, state), handle(std::move(given)) {}
  static const std::vector<Member<ExportOptions>>& members();
  host::ExportOptions handle;
};

// --- page_layers.cpp: the page is always the active one, as the
// DrawingHost operations on layers all act on it.
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

// --- shape_ranges.cpp: the shapes of a layer or of a range, and ranges.
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

// --- shape.cpp: one shape, with its outline, bitmap, contour and boundary.
class Shape : public Served<Shape> {
 public:
  Shape(ServerState& state, host::Shape given)
      : Served(ObjectKind::Shape, state), handle(std::move(given)) {}
  static const std::vector<Member<Shape>>& members();
  host::Shape handle;
};

// --- outline.cpp: a shape's outline, and its colour or a colour of its own
// (Application.CreateCMYKColor).
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

// --- effects.cpp: vectorising a bitmap shape, and a shape's contour effect.
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

// --- curves.cpp: a curve built point by point, then placed on a layer with
// Layer.CreateCurve.
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

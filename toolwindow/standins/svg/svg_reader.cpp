#include "toolwindow/standins/svg/svg_reader.h"

// SVG++ over libxml2: libxml2 first, as SVG++'s adapter expects.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <svgpp/policy/xml/libxml2.hpp>
#include <svgpp/svgpp.hpp>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>
#include <variant>

#include "toolwindow/standins/svg/keyword_values.h"
#include "toolwindow/standins/svg/svg_curves.h"

namespace corvane::standin::svg {
namespace {

namespace tag = svgpp::tag;

constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr const char* kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";

// Thrown inside the traversal, caught at its edge: a value that shapes
// depend on cannot be read.
struct ReadFailure {
  std::string text;
};

std::string textOf(const xmlChar* value) {
  return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
}

std::string attributeOf(xmlNode* node, const char* name, const char* space = nullptr) {
  xmlChar* value = space == nullptr ? xmlGetNoNsProp(node, BAD_CAST name)
                                    : xmlGetNsProp(node, BAD_CAST name, BAD_CAST space);
  std::string text = textOf(value);
  xmlFree(value);
  return text;
}

std::string localName(const xmlNode* node) {
  const std::string name = textOf(node->name);
  const auto colon = name.find(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

// One piece of a subpath, in the element's user units.
struct LineTo {
  host::Point to;
};
struct QuadraticTo {
  host::Point control;
  host::Point to;
};
struct CubicTo {
  host::Point control1;
  host::Point control2;
  host::Point to;
};
struct ArcTo {
  ArcSegment arc;
};
using Segment = std::variant<LineTo, QuadraticTo, CubicTo, ArcTo>;

struct RecordedSubpath {
  host::Point start;
  std::vector<Segment> segments;
  bool closed = false;
};

// What the whole traversal collects.
struct Collector {
  SvgDrawing drawing;
  Affine pageFromPixels;  // set by the root's viewport
  bool sized = false;
  int shapeCount = 0;
  std::optional<std::size_t> defaultLayer;

  std::size_t addLayer(std::string name) {
    drawing.layers.push_back(SvgLayer{std::move(name), {}});
    return drawing.layers.size() - 1;
  }
  std::size_t rootLayer() {
    if (!defaultLayer) defaultLayer = addLayer("Layer 1");
    return *defaultLayer;
  }
};

enum class Kind { Root, Viewport, Group, Shape, Text, Clone };

Kind kindOf(const std::string& name) {
  if (name == "svg") return Kind::Viewport;
  if (name == "g" || name == "a") return Kind::Group;
  if (name == "text") return Kind::Text;
  if (name == "use") return Kind::Clone;
  return Kind::Shape;
}

// The context of one element: its inherited state, and for a shape the
// path as the element draws it.
class ElementContext {
 public:
  ElementContext(Collector& collector, xmlNode* node)
      : collector_(&collector), node_(node), kind_(Kind::Root) {
    noteId();
  }

  ElementContext(ElementContext& parent, xmlNode* const& node)
      : collector_(parent.collector_),
        node_(node),
        kind_(kindOf(localName(node))),
        ctm_(parent.ctm_),
        lengths_(parent.lengths_),
        hidden_(parent.hidden_),
        filled_(parent.filled_),
        layer_(parent.layer_) {
    noteId();
    if (kind_ == Kind::Group &&
        attributeOf(node_, "groupmode", kInkscapeNamespace) == std::string("layer")) {
      std::string name = attributeOf(node_, "label", kInkscapeNamespace);
      if (name.empty()) name = attributeOf(node_, "id");
      layer_ = collector_->addLayer(std::move(name));
    }
  }

  std::string id() const { return attributeOf(node_, "id"); }
  // The element, as a message names it.
  std::string where() const {
    const std::string own = id();
    return own.empty() ? std::string("an element without id") : "element " + own;
  }

  // --- What the traversal asks -----------------------------------------------------
  bool descends() const { return !displayNone_ && kind_ != Kind::Text && kind_ != Kind::Clone; }

  using length_factory_type = svgpp::factory::length::unitless<>;
  length_factory_type& length_factory() { return lengths_; }

  // --- Transforms and viewports ----------------------------------------------------
  void transform_matrix(const boost::array<double, 6>& m) {
    ctm_ = ctm_.after(Affine{m[0], m[1], m[2], m[3], m[4], m[5]});
  }

  void set_viewport(double x, double y, double width, double height) {
    lengths_.set_viewport_size(width, height);
    if (kind_ != Kind::Root) {
      ctm_ = ctm_.after(Affine{1, 0, 0, 1, x, y});
      return;
    }
    RootMapping& root = collector_->drawing.root;
    root.widthMm = width * kMmPerPixel;
    root.heightMm = height * kMmPerPixel;
    collector_->pageFromPixels = Affine{kMmPerPixel, 0, 0, -kMmPerPixel, 0, root.heightMm};
    collector_->sized = true;
  }

  void set_viewbox_transform(double translateX, double translateY, double scaleX, double scaleY,
                             bool) {
    ctm_ = ctm_.after(Affine{scaleX, 0, 0, scaleY, translateX, translateY});
    if (kind_ == Kind::Root) {
      RootMapping& root = collector_->drawing.root;
      root.scaleX = scaleX;
      root.scaleY = scaleY;
      root.translateX = translateX;
      root.translateY = translateY;
    }
  }

  void set_viewbox_size(double, double) {}
  void get_reference_viewport_size(double&, double&) {}
  void disable_rendering() { displayNone_ = true; }

  // --- Style -----------------------------------------------------------------------
  void set(tag::attribute::display, tag::value::none) { displayNone_ = true; }
  void set(tag::attribute::visibility, tag::value::hidden) { hidden_ = true; }
  void set(tag::attribute::visibility, tag::value::collapse) { hidden_ = true; }
  void set(tag::attribute::visibility, tag::value::visible) { hidden_ = false; }
  void set(tag::attribute::fill, tag::value::none) { filled_ = false; }
  void set(tag::attribute::fill, tag::value::inherit) {}
  template <class... Values>
  void set(tag::attribute::fill, const Values&...) {
    filled_ = true;
  }
  // Everything else of the processed attributes draws nothing to cut.
  template <class Attribute, class... Values>
  void set(Attribute, const Values&...) {}

  template <class Text>
  void set_text(const Text&) {}

  // --- Path events (absolute coordinates, no shorthands) ----------------------------
  void path_move_to(double x, double y, tag::coordinate::absolute) {
    subpaths_.push_back(RecordedSubpath{{x, y}, {}, false});
    at_ = {x, y};
  }
  void path_line_to(double x, double y, tag::coordinate::absolute) { add(LineTo{{x, y}}); }
  void path_quadratic_bezier_to(double x1, double y1, double x, double y,
                                tag::coordinate::absolute) {
    add(QuadraticTo{{x1, y1}, {x, y}});
  }
  void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y,
                            tag::coordinate::absolute) {
    add(CubicTo{{x1, y1}, {x2, y2}, {x, y}});
  }
  void path_elliptical_arc_to(double rx, double ry, double rotation, bool largeArc, bool sweep,
                              double x, double y, tag::coordinate::absolute) {
    add(ArcTo{ArcSegment{at_, rx, ry, rotation, largeArc, sweep, {x, y}}});
  }
  void path_close_subpath() {
    if (subpaths_.empty()) return;
    subpaths_.back().closed = true;
    at_ = subpaths_.back().start;
  }
  void path_exit() {}

  void on_exit_element() {
    if (displayNone_ || hidden_) return;
    if (kind_ == Kind::Text) {
      collector_->drawing.notices.push_back("text must be converted to paths before cutting: " +
                                            id());
    } else if (kind_ == Kind::Clone) {
      collector_->drawing.notices.push_back("clones must be unlinked before cutting: " + id());
    } else if (kind_ == Kind::Shape) {
      placeShape();
    }
  }

 private:
  void noteId() {
    std::string own = id();
    if (!own.empty()) collector_->drawing.ids.push_back(std::move(own));
  }

  void add(Segment segment) {
    // A drawing command after z starts a new subpath where the closed one began.
    if (subpaths_.empty() || subpaths_.back().closed) {
      subpaths_.push_back(RecordedSubpath{at_, {}, false});
    }
    subpaths_.back().segments.push_back(segment);
    std::visit([&](const auto& s) { at_ = endOf(s); }, segment);
  }

  static host::Point endOf(const LineTo& s) { return s.to; }
  static host::Point endOf(const QuadraticTo& s) { return s.to; }
  static host::Point endOf(const CubicTo& s) { return s.to; }
  static host::Point endOf(const ArcTo& s) { return s.arc.to; }

  Path flattened(const RecordedSubpath& subpath, const Affine& toPage) const {
    Path path;
    std::vector<host::Point>& points = path.points;
    host::Point from = subpath.start;
    points.push_back(toPage.apply(from.x, from.y));
    for (const Segment& segment : subpath.segments) {
      if (const auto* line = std::get_if<LineTo>(&segment)) {
        points.push_back(toPage.apply(line->to.x, line->to.y));
      } else if (const auto* quadratic = std::get_if<QuadraticTo>(&segment)) {
        appendQuadratic(points, points.back(),
                        toPage.apply(quadratic->control.x, quadratic->control.y),
                        toPage.apply(quadratic->to.x, quadratic->to.y), kFlatnessMm);
      } else if (const auto* cubic = std::get_if<CubicTo>(&segment)) {
        appendCubic(points, points.back(), toPage.apply(cubic->control1.x, cubic->control1.y),
                    toPage.apply(cubic->control2.x, cubic->control2.y),
                    toPage.apply(cubic->to.x, cubic->to.y), kFlatnessMm);
      } else {
        appendArc(points, std::get<ArcTo>(segment).arc, toPage, kFlatnessMm);
      }
    }
    // Repeated points say nothing about the shape.
    points.erase(std::unique(points.begin(), points.end(),
                             [](const host::Point& p, const host::Point& q) {
                               return p.x == q.x && p.y == q.y;
                             }),
                 points.end());
    path.closed = subpath.closed || filled_;
    if (path.closed && points.size() > 1 && points.front().x == points.back().x &&
        points.front().y == points.back().y) {
      points.pop_back();
    }
    if (path.closed && points.size() < 3) path.closed = false;
    return path;
  }

  void placeShape() {
    ++collector_->shapeCount;
    const Affine toPage = collector_->pageFromPixels.after(ctm_);
    SvgShape shape;
    shape.name = id();
    if (shape.name.empty()) shape.name = "Curve " + std::to_string(collector_->shapeCount);
    for (const RecordedSubpath& subpath : subpaths_) {
      Path path = flattened(subpath, toPage);
      for (const host::Point& p : path.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
          throw ReadFailure{"coordinates out of range in " + where()};
        }
      }
      if (path.points.size() > 1) shape.paths.push_back(std::move(path));
    }
    if (shape.paths.empty()) return;
    const std::size_t layer = layer_ ? *layer_ : collector_->rootLayer();
    collector_->drawing.layers[layer].shapes.push_back(std::move(shape));
  }

  Collector* collector_;
  xmlNode* node_;
  Kind kind_;
  Affine ctm_;  // user units to CSS pixels of the sheet
  length_factory_type lengths_;
  bool displayNone_ = false;
  bool hidden_ = false;
  bool filled_ = true;
  std::optional<std::size_t> layer_;
  std::vector<RecordedSubpath> subpaths_;
  host::Point at_;
};

struct ChildContexts {
  template <class Parent, class ElementTag>
  struct apply {
    using type = svgpp::factory::context::on_stack_with_xml_element<ElementContext>;
  };
};

// Hidden elements are not visited; text and clones are reported, not read.
struct TraversalControl {
  template <class Context>
  static bool proceed_to_element_content(Context& context) {
    return context.descends();
  }
  template <class Context>
  static bool proceed_to_next_child(Context&) {
    return true;
  }
  template <class Context, class XmlElement>
  static bool process_child(Context&, XmlElement&) {
    return true;
  }
};

// Drawings carry much that is not SVG (editor attributes, CSS this reader
// has no use for): that is skipped. A geometry value that cannot be read
// stops the reading, since a shape without it would be cut wrong.
struct Errors {
  using context_type = ElementContext;

  template <class Context, class Element, class Name>
  static bool unknown_element(const Context&, const Element&, const Name&) {
    return true;
  }
  template <class Context, class Attribute, class Name, class Space>
  static bool unknown_attribute(const Context&, const Attribute&, const Name&, Space,
                                tag::source::attribute) {
    return true;
  }
  template <class Context, class Attribute, class Name>
  static bool unknown_attribute(const Context&, const Attribute&, const Name&, tag::source::css) {
    return true;
  }
  template <class Context, class Id>
  static bool unexpected_attribute(const Context&, Id, tag::source::attribute) {
    return true;
  }
  template <class Context, class AttributeTag>
  static bool required_attribute_not_found(const Context&, AttributeTag) {
    return true;
  }
  template <class Context, class Element>
  static bool unexpected_element(const Context&, const Element&) {
    return true;
  }
  template <class Context, class AttributeTag>
  static bool negative_value(const Context& context, AttributeTag) {
    throw ReadFailure{"negative value of " +
                      std::string(svgpp::attribute_name<char>::get<AttributeTag>()) + " in " +
                      where(context)};
  }
  template <class Context, class AttributeTag, class Value>
  static bool parse_failed(const Context& context, AttributeTag, const Value&) {
    const std::string name = svgpp::attribute_name<char>::get<AttributeTag>();
    static const std::set<std::string> geometry{
        "d",      "points", "transform", "x",  "y",       "width",
        "height", "rx",     "ry",        "cx", "cy",      "r",
        "x1",     "y1",     "x2",        "y2", "viewBox", "preserveAspectRatio"};
    if (geometry.count(name) == 0) return true;
    throw ReadFailure{"invalid value of " + name + " in " + where(context)};
  }

  template <class Context>
  static std::string where(const Context& context) {
    return context.where();
  }
};

using ProcessedElements =
    boost::mpl::set<tag::element::svg, tag::element::g, tag::element::a, tag::element::path,
                    tag::element::rect, tag::element::circle, tag::element::ellipse,
                    tag::element::line, tag::element::polyline, tag::element::polygon,
                    tag::element::text, tag::element::use_>::type;

using ProcessedAttributes = boost::mpl::fold<
    boost::mpl::protect<boost::mpl::joint_view<svgpp::traits::shapes_attributes_by_element,
                                               svgpp::traits::viewport_attributes>>,
    boost::mpl::set<tag::attribute::transform, tag::attribute::display, tag::attribute::visibility,
                    tag::attribute::fill>::type,
    boost::mpl::insert<boost::mpl::_1, boost::mpl::_2>>::type;

// Viewport attributes first, so that the viewport is known before the
// shapes and groups inside it.
struct AttributeOrder : svgpp::policy::attribute_traversal::default_policy {
  using get_priority_attributes_by_element = boost::mpl::if_<
      boost::mpl::has_key<boost::mpl::set<tag::element::svg>, boost::mpl::_1>,
      boost::mpl::vector<tag::attribute::x, tag::attribute::y, tag::attribute::width,
                         tag::attribute::height, tag::attribute::viewBox,
                         tag::attribute::preserveAspectRatio,
                         svgpp::notify_context<tag::event::after_viewport_attributes>>::type,
      boost::mpl::empty_sequence>;
};

using Traversal = svgpp::document_traversal<
    svgpp::processed_elements<ProcessedElements>, svgpp::processed_attributes<ProcessedAttributes>,
    svgpp::viewport_policy<svgpp::policy::viewport::calculate>,
    svgpp::context_factories<ChildContexts>,
    svgpp::length_policy<svgpp::policy::length::forward_to_method<ElementContext>>,
    svgpp::attribute_traversal_policy<AttributeOrder>, svgpp::error_policy<Errors>,
    svgpp::document_traversal_control_policy<TraversalControl>>;

struct DocumentFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

// The width and height of the root's viewBox, when it has one.
std::optional<std::pair<std::string, std::string>> viewBoxSize(const std::string& viewBox) {
  std::vector<std::string> numbers;
  std::size_t i = 0;
  while (i < viewBox.size() && numbers.size() < 5) {
    const char c = viewBox[i];
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') {
      ++i;
      continue;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(viewBox.data() + i, viewBox.data() + viewBox.size(), value);
    if (error != std::errc()) return std::nullopt;
    const std::size_t next = static_cast<std::size_t>(end - viewBox.data());
    numbers.push_back(viewBox.substr(i, next - i));
    i = next;
  }
  if (numbers.size() != 4) return std::nullopt;
  return std::make_pair(numbers[2], numbers[3]);
}

// A root without a size on paper (no width or height, or a percentage)
// is drawn at one CSS pixel per user unit of its viewBox, as browsers and
// editors show it.
void giveRootASize(xmlNode* root) {
  const auto missing = [&](const char* name) {
    const std::string value = attributeOf(root, name);
    return value.empty() || value.find('%') != std::string::npos;
  };
  if (!missing("width") && !missing("height")) return;
  const auto size = viewBoxSize(attributeOf(root, "viewBox"));
  if (!size) return;
  if (missing("width")) xmlSetProp(root, BAD_CAST "width", BAD_CAST size->first.c_str());
  if (missing("height")) xmlSetProp(root, BAD_CAST "height", BAD_CAST size->second.c_str());
}

}  // namespace

host::Point RootMapping::toPage(double u, double v) const {
  return {kMmPerPixel * (scaleX * u + translateX),
          heightMm - kMmPerPixel * (scaleY * v + translateY)};
}

host::Point RootMapping::toUser(const host::Point& page) const {
  const double px = page.x / kMmPerPixel;
  const double py = (heightMm - page.y) / kMmPerPixel;
  return {(px - translateX) / scaleX, (py - translateY) / scaleY};
}

double RootMapping::userLength(double mm) const {
  return mm / kMmPerPixel / std::sqrt(std::abs(scaleX * scaleY));
}

host::HostResult<SvgDrawing> readSvgDrawing(std::string text) {
  const auto failure = [](std::string why) {
    return host::HostError{"readSvgDrawing",
                           "The file is not an SVG drawing that can be cut: " + std::move(why)};
  };
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return failure("it is too large");
  const std::unique_ptr<xmlDoc, DocumentFree> doc(
      xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) {
    const xmlError* error = xmlGetLastError();
    std::string why = error != nullptr && error->message != nullptr ? error->message : "not XML";
    while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
    return failure("not well-formed XML (" + why + ")");
  }
  xmlNode* root = xmlDocGetRootElement(doc.get());
  if (root == nullptr || localName(root) != "svg" ||
      (root->ns != nullptr && textOf(root->ns->href) != kSvgNamespace)) {
    return failure("its root element is not svg");
  }
  giveRootASize(root);
  dropNonAsciiKeywordValues(root);

  Collector collector;
  try {
    ElementContext context(collector, root);
    Traversal::load_document(root, context);
  } catch (const ReadFailure& failed) {
    return failure(failed.text);
  } catch (const std::exception& failed) {
    return failure(failed.what());
  }
  if (!collector.sized || !(collector.drawing.root.widthMm > 0) ||
      !(collector.drawing.root.heightMm > 0)) {
    return failure("it has no size on paper (width and height)");
  }
  collector.drawing.text = std::move(text);
  return std::move(collector.drawing);
}

}  // namespace corvane::standin::svg

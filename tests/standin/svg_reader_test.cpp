#include "toolwindow/standins/svg/svg_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace corvane::standin::svg {
namespace {

// Flattening keeps every drawn point within 0.01 mm; the points themselves
// lie on the curve, up to rounding.
constexpr double kOnCurve = 1e-9;

std::string drawing(const std::string& root, const std::string& content) {
  return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" " +
         root + ">\n" + content + "\n</svg>\n";
}

// 1000 x 1000 mm, one user unit a millimetre: page y = 1000 - y.
std::string millimetreDrawing(const std::string& content) {
  return drawing("width=\"1000mm\" height=\"1000mm\" viewBox=\"0 0 1000 1000\"", content);
}

SvgDrawing read(const std::string& text) {
  auto result = readSvgDrawing(text);
  EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().text);
  return result.ok() ? std::move(result).value() : SvgDrawing{};
}

const SvgShape* find(const SvgDrawing& d, const std::string& name) {
  for (const SvgLayer& layer : d.layers) {
    for (const SvgShape& shape : layer.shapes) {
      if (shape.name == name) return &shape;
    }
  }
  return nullptr;
}

double distanceToSegment(host::Point p, host::Point a, host::Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double span = dx * dx + dy * dy;
  const double t =
      span == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / span, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToPath(host::Point p, const Path& path) {
  double best = INFINITY;
  for (std::size_t i = 0; i + 1 < path.points.size(); ++i) {
    best = std::min(best, distanceToSegment(p, path.points[i], path.points[i + 1]));
  }
  return best;
}

void expectPoints(const Path& path, const std::vector<host::Point>& expected) {
  ASSERT_EQ(path.points.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(path.points[i].x, expected[i].x, kOnCurve) << "point " << i;
    EXPECT_NEAR(path.points[i].y, expected[i].y, kOnCurve) << "point " << i;
  }
}

TEST(SvgReader, TransformsOfEveryKindPlaceTheShapeOnThePage) {
  struct Case {
    const char* transform;
    host::Point first;  // where (1, 2) and (3, 4) land, in user units
    host::Point second;
  };
  const Case cases[] = {
      {"translate(5,6)", {6, 8}, {8, 10}},
      {"scale(2,3)", {2, 6}, {6, 12}},
      {"rotate(90)", {-2, 1}, {-4, 3}},
      {"rotate(90,10,0)", {8, -9}, {6, -7}},
      {"skewX(45)", {3, 2}, {7, 4}},
      {"skewY(45)", {1, 3}, {3, 7}},
      {"matrix(1,2,3,4,5,6)", {12, 16}, {20, 28}},
      {"translate(1,1) scale(2)", {3, 5}, {7, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.transform);
    // Nested: the outer group moves everything 100 to the right.
    const SvgDrawing d = read(millimetreDrawing(
        "<g transform=\"translate(100,0)\"><g transform=\"" + std::string(c.transform) +
        "\"><path id=\"p\" d=\"M 1,2 L 3,4\" fill=\"none\"/></g></g>"));
    const SvgShape* shape = find(d, "p");
    ASSERT_NE(shape, nullptr);
    ASSERT_EQ(shape->paths.size(), 1U);
    EXPECT_FALSE(shape->paths[0].closed);
    expectPoints(shape->paths[0],
                 {{100 + c.first.x, 1000 - c.first.y}, {100 + c.second.x, 1000 - c.second.y}});
  }
}

TEST(SvgReader, ViewBoxInMillimetresScalesUserUnits) {
  // 100 x 80 mm over 200 x 160 units: two units a millimetre.
  const SvgDrawing d = read(drawing("width=\"100mm\" height=\"80mm\" viewBox=\"0 0 200 160\"",
                                    "<g transform=\"translate(20,10)\"><g transform=\"scale(2)\">"
                                    "<rect id=\"r\" x=\"5\" y=\"5\" width=\"10\" height=\"5\"/>"
                                    "</g></g>"));
  EXPECT_NEAR(d.root.widthMm, 100, kOnCurve);
  EXPECT_NEAR(d.root.heightMm, 80, kOnCurve);
  const SvgShape* rect = find(d, "r");
  ASSERT_NE(rect, nullptr);
  ASSERT_EQ(rect->paths.size(), 1U);
  EXPECT_TRUE(rect->paths[0].closed);
  expectPoints(rect->paths[0], {{15, 70}, {25, 70}, {25, 65}, {15, 65}});
}

TEST(SvgReader, ViewBoxInPixelsCountsNinetySixToTheInch) {
  // 192 x 96 px (2 x 1 in) over 96 x 48 units; the circle's centre lies
  // 0.5 in from the left and the top, its radius is 0.25 in.
  const SvgDrawing d = read(drawing("width=\"192px\" height=\"96\" viewBox=\"0 0 96 48\"",
                                    "<circle id=\"c\" cx=\"24\" cy=\"24\" r=\"12\"/>"));
  EXPECT_NEAR(d.root.widthMm, 50.8, kOnCurve);
  const SvgShape* circle = find(d, "c");
  ASSERT_NE(circle, nullptr);
  const Path& path = circle->paths.at(0);
  EXPECT_TRUE(path.closed);
  const host::Point centre{12.7, 12.7};
  for (const host::Point& p : path.points) {
    EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), 6.35, kOnCurve);
  }
  // Between the points the chords stay within 0.01 mm of the circle.
  for (std::size_t i = 0; i < path.points.size(); ++i) {
    const host::Point& a = path.points[i];
    const host::Point& b = path.points[(i + 1) % path.points.size()];
    const host::Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    EXPECT_GE(std::hypot(middle.x - centre.x, middle.y - centre.y), 6.35 - 0.01);
  }
}

TEST(SvgReader, UnitsOfTheSheetSize) {
  const struct {
    const char* size;
    double mm;
  } cases[] = {{"10mm", 10}, {"2cm", 20}, {"1in", 25.4}, {"72pt", 25.4}, {"96px", 25.4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const SvgDrawing d = read(drawing(
        "width=\"" + std::string(c.size) + "\" height=\"" + c.size + "\" viewBox=\"0 0 1 1\"",
        "<rect id=\"r\" width=\"1\" height=\"1\"/>"));
    EXPECT_NEAR(d.root.widthMm, c.mm, kOnCurve);
    EXPECT_NEAR(find(d, "r")->paths.at(0).points.at(1).x, c.mm, kOnCurve);
  }
}

TEST(SvgReader, RelativeCommandsAndArcsFollowTheirCurves) {
  // A "D": 20 mm across the top, a half circle of radius 10 down the right
  // side around (30, 20), back along the bottom.
  const SvgDrawing d =
      read(millimetreDrawing("<path id=\"d\" d=\"m 10,10 h 20 a 10,10 0 0 1 0,20 h -20 z\"/>"));
  const Path& path = find(d, "d")->paths.at(0);
  EXPECT_TRUE(path.closed);
  EXPECT_NEAR(path.points.front().x, 10, kOnCurve);
  EXPECT_NEAR(path.points.front().y, 990, kOnCurve);
  double rightmost = 0;
  for (const host::Point& p : path.points) {
    if (p.x <= 30) continue;
    EXPECT_NEAR(std::hypot(p.x - 30, p.y - 980), 10, kOnCurve);
    rightmost = std::max(rightmost, p.x);
  }
  EXPECT_NEAR(rightmost, 40, 0.01);
}

TEST(SvgReader, BezierCurvesAndTheirSmoothFormsPassTheirPoints) {
  const SvgDrawing d = read(
      millimetreDrawing("<path id=\"b\" fill=\"none\" d=\"M 0,0 C 10,0 20,10 20,20 s 10,20 20,20 "
                        "Q 50,40 50,50 T 60,60\"/>"));
  const Path& path = find(d, "b")->paths.at(0);
  EXPECT_FALSE(path.closed);
  // The curves' ends, and their points at t = 0.5, worked out by hand
  // (the smooth forms reflect the control point before them).
  const host::Point passes[] = {{20, 20},      {40, 40},       {50, 50},     {60, 60},
                                {13.75, 6.25}, {26.25, 33.75}, {47.5, 42.5}, {52.5, 57.5}};
  for (const host::Point& p : passes) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_LE(distanceToPath({p.x, 1000 - p.y}, path), 0.01);
  }
}

TEST(SvgReader, SubpathsStayApartAndFillClosesThem) {
  const SvgDrawing d =
      read(millimetreDrawing("<path id=\"ring\" d=\"M0,0 h10 v10 h-10 z M2,2 h6 v6 h-6 z\"/>"
                             "<path id=\"filled\" d=\"M0,0 L10,0 L10,10\"/>"
                             "<path id=\"stroke\" style=\"fill:none\" d=\"M0,0 L10,0 L10,10\"/>"));
  const SvgShape* ring = find(d, "ring");
  ASSERT_EQ(ring->paths.size(), 2U);
  EXPECT_TRUE(ring->paths[0].closed && ring->paths[1].closed);
  EXPECT_EQ(ring->paths[1].points.size(), 4U);
  EXPECT_TRUE(find(d, "filled")->paths.at(0).closed);
  EXPECT_FALSE(find(d, "stroke")->paths.at(0).closed);
}

TEST(SvgReader, LayersHiddenElementsAndText) {
  const SvgDrawing d = read(millimetreDrawing(R"(
    <rect width="1" height="1"/>
    <g inkscape:groupmode="layer" inkscape:label="Artwork" id="layer1">
      <rect width="2" height="2"/>
      <g style="visibility:hidden">
        <rect id="ghost" width="1" height="1"/>
        <rect id="shown" width="1" height="1" visibility="visible"/>
      </g>
      <rect id="gone" width="1" height="1" display="none"/>
      <text id="title" x="0" y="10">Hello</text>
    </g>
    <g inkscape:groupmode="layer" inkscape:label="Hidden" style="display:none">
      <rect id="hidden" width="1" height="1"/>
      <text id="hiddentext">No</text>
    </g>
    <defs><rect id="template" width="1" height="1"/></defs>)"));
  std::vector<std::string> layers;
  std::vector<std::string> shapes;
  for (const SvgLayer& layer : d.layers) {
    if (!layer.shapes.empty()) layers.push_back(layer.name);
    for (const SvgShape& shape : layer.shapes) shapes.push_back(shape.name);
  }
  EXPECT_EQ(layers, (std::vector<std::string>{"Layer 1", "Artwork"}));
  EXPECT_EQ(shapes, (std::vector<std::string>{"Curve 1", "Curve 2", "shown"}));
  EXPECT_EQ(d.notices,
            std::vector<std::string>{"text must be converted to paths before cutting: title"});
}

TEST(SvgReader, SkipsWhatEditorsAddBesideTheShapes) {
  // Editor namespaces and elements, CSS this reader has no use for, a
  // paint it cannot read, a clone: the shapes still come through.
  const SvgDrawing d =
      read(drawing("width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\" "
                   "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
                   "inkscape:version=\"1.2.2\"",
                   R"(<style>.a{fill:red}</style>
    <sodipodi:namedview id="namedview7" inkscape:current-layer="layer1"/>
    <metadata><title>t</title></metadata>
    <g inkscape:label="Layer 1" inkscape:groupmode="layer" id="layer1">
      <path id="arc" sodipodi:type="arc" sodipodi:cx="50" inkscape:transform-center-x="1.5"
        style="fill:#f00;paint-order:stroke fill markers;mix-blend-mode:multiply;-inkscape-stroke:hairline"
        d="M 70,50 A 20,20 0 0 1 30,50 20,20 0 0 1 70,50 Z"/>
      <rect id="r" class="a" width="3" height="2" style="fill:context-stroke"/>
      <use id="clone" href="#r" x="10"/>
    </g>)"));
  ASSERT_NE(find(d, "arc"), nullptr);
  ASSERT_NE(find(d, "r"), nullptr);
  EXPECT_EQ(d.notices, std::vector<std::string>{"clones must be unlinked before cutting: clone"});
}

TEST(SvgReader, AFillWithLettersBeyondAsciiIsSkippedAndTheRestOfTheStyleKept) {
  // A paint typed with an accented letter, in the attribute, in the style,
  // or as the fallback after a gradient: the shape keeps the fill it
  // inherits, and the style's other declarations still count.
  const struct {
    const char* attributes;
    bool closed;
  } cases[] = {
      {"fill=\"\xc3\xa9\"", true},
      {"style=\"fill:\xc3\xa9\"", true},
      {"fill=\"url(#a) \xc3\xa9\"", true},
      {"style=\"fill:\xc3\xa9;display:inline\" fill=\"none\"", false},
      {"style=\"font-family:\xe5\xbe\xae\xe8\xbd\xaf;fill:none\"", false},
      {"style=\"fill:none;visibility:\xc3\xa9\"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attributes);
    const SvgDrawing d = read(millimetreDrawing(std::string("<path id=\"p\" ") + c.attributes +
                                                " d=\"M0,0 L10,0 L10,10\"/>"));
    ASSERT_NE(find(d, "p"), nullptr);
    EXPECT_EQ(find(d, "p")->paths.at(0).closed, c.closed);
  }
}

TEST(SvgReader, RefusesWhatIsNoDrawingWithTheReason) {
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {"<svg", "not well-formed XML"},
      {"<html xmlns=\"http://www.w3.org/1999/xhtml\"/>", "its root element is not svg"},
      {drawing("width=\"0\" height=\"10\"", ""), "no size on paper"},
      {millimetreDrawing("<path id=\"bad\" d=\"M 0,0 L 10\"/>"),
       "invalid value of d in element bad"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto result = readSvgDrawing(c.text);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().text.find(c.reason), std::string::npos) << result.error().text;
  }
}

}  // namespace
}  // namespace corvane::standin::svg

#include "toolwindow/standins/svg/svg_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolwindow/standins/svg/svg_reader.h"

namespace corvane::standin::svg {
namespace {

const std::vector<Path> kOneMark{Path{{{10, 20}, {0, 20}, {0, 10}}, false}};

SvgDrawing read(const std::string& text) {
  auto result = readSvgDrawing(text);
  EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().text);
  return result.ok() ? std::move(result).value() : SvgDrawing{};
}

TEST(SvgPrint, PrintFileIsTheDrawingWithTheMarksLayerBeforeItsEndTag) {
  const std::string head =
      "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100mm\" "
      "height=\"100mm\" viewBox=\"0 0 100 100\"><rect width=\"5\" height=\"5\" "
      "style=\"fill:#f00\"/>";
  const std::string tail = "</svg>\n<!-- </svg> said twice -->\n";
  const auto printed = printFileText(read(head + tail), kOneMark, 1.0);
  ASSERT_TRUE(printed.ok()) << printed.error().text;
  // Page (10, 20) on a sheet 100 mm high is user (10, 80).
  EXPECT_EQ(printed.value(),
            head +
                "<g xmlns=\"http://www.w3.org/2000/svg\" "
                "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" id=\"MarkLayer\" "
                "inkscape:groupmode=\"layer\" inkscape:label=\"MarkLayer\">\n"
                "<path id=\"MarkLine\" d=\"M 10,80 L 0,80 L 0,90\" fill=\"none\" "
                "stroke=\"#000000\" stroke-width=\"1\" stroke-linecap=\"butt\"/>\n"
                "</g>\n" +
                tail);
}

TEST(SvgPrint, MarksReadBackWhereTheyWerePlacedWhateverTheViewBox) {
  const std::vector<Path> marks{Path{{{-3.5, 47.25}, {12.125, 47.25}, {12.125, 30}}, false},
                                Path{{{80, 2}, {99, 2}, {99, 21}}, false}};
  for (const char* root : {"width=\"100mm\" height=\"50mm\" viewBox=\"0 0 100 100\"",
                           "width=\"400\" height=\"300\" viewBox=\"-20 10 80 60\"",
                           "width=\"4in\" height=\"80pt\" viewBox=\"0 0 4 1\" "
                           "preserveAspectRatio=\"none\""}) {
    SCOPED_TRACE(root);
    const SvgDrawing drawing = read("<svg xmlns=\"http://www.w3.org/2000/svg\" " +
                                    std::string(root) + "><circle r=\"1\"/></svg>");
    const auto printed = printFileText(drawing, marks, 1.0);
    ASSERT_TRUE(printed.ok());
    const SvgDrawing back = read(printed.value());
    ASSERT_EQ(back.layers.back().name, "MarkLayer");
    const SvgShape& shape = back.layers.back().shapes.at(0);
    EXPECT_EQ(shape.name, "MarkLine");
    ASSERT_EQ(shape.paths.size(), marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
      ASSERT_EQ(shape.paths[i].points.size(), marks[i].points.size());
      for (std::size_t j = 0; j < marks[i].points.size(); ++j) {
        // Written to a nanometre of a user unit.
        EXPECT_NEAR(shape.paths[i].points[j].x, marks[i].points[j].x, 1e-6);
        EXPECT_NEAR(shape.paths[i].points[j].y, marks[i].points[j].y, 1e-6);
      }
    }
  }
}

TEST(SvgPrint, WithoutMarksThePrintFileIsTheDrawing) {
  const std::string text =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1in\" height=\"1in\"/>";
  const auto printed = printFileText(read(text), {}, 1.0);
  ASSERT_TRUE(printed.ok());
  EXPECT_EQ(printed.value(), text);
}

TEST(SvgPrint, RefusesAPrintFileOpenedAsTheDrawing) {
  const SvgDrawing drawing = read(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1in\" height=\"1in\"><g "
      "id=\"MarkLayer\"/></svg>");
  const auto printed = printFileText(drawing, kOneMark, 1.0);
  ASSERT_FALSE(printed.ok());
  EXPECT_NE(printed.error().text.find("already holds MarkLayer"), std::string::npos);
}

}  // namespace
}  // namespace corvane::standin::svg

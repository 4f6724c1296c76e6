// Contours that corvane traces around drawings of every kind, judged by
// points: the bundled samples and generated drawings (polygons, outlines
// that cross themselves, open strokes, and mixtures of them), each traced
// at 2 mm, marked and exported as a contour cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/contour_fit.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::FitLine;
using testing::FitPoint;

constexpr double kOffset = 2;
// The trace's miter limit of 15 degrees lets a corner reach 1 / sin(7.5
// degrees) times the offset from the drawing.
const double kReach = kOffset / std::sin(7.5 * std::numbers::pi / 180);

// A generated drawing in plotter units: shapes of kind `kind % 4`.
class DrawingMaker {
 public:
  explicit DrawingMaker(unsigned seed) : random_(seed) {}

  std::string drawing(int kind) {
    std::string plt = "IN;PA;SP1;\r\n";
    plt.reserve(4096);
    if (kind % 4 == 3) {
      const int shapes = between(2, 4);
      for (int i = 0; i < shapes; ++i)
        plt += shape(between(0, 2), between(0, 4000), between(0, 3000));
    } else {
      plt += shape(kind % 4, 2000, 2000);
    }
    return plt + "PU;SP0;\r\n";
  }

 private:
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // 0: a polygon around a centre, 1: a closed outline through random
  // points, crossing itself, 2: an open polyline.
  std::string shape(int kind, int x, int y) {
    std::vector<std::pair<int, int>> points;
    if (kind == 0) {
      const int corners = between(3, 30);
      for (int i = 0; i < corners; ++i) {
        const double angle = 2 * std::numbers::pi * (i + 0.8 * between(0, 100) / 100.0) / corners;
        const double radius = between(200, 1000);
        points.emplace_back(x + static_cast<int>(radius * std::cos(angle)),
                            y + static_cast<int>(radius * std::sin(angle)));
      }
    } else {
      const int corners = kind == 1 ? between(4, 14) : between(2, 10);
      for (int i = 0; i < corners; ++i)
        points.emplace_back(x + between(-1000, 1000), y + between(-1000, 1000));
    }
    if (kind != 2) points.push_back(points.front());
    std::ostringstream plt;
    plt << "PU" << points[0].first << ',' << points[0].second << ";\r\nPD";
    for (std::size_t i = 1; i < points.size(); ++i) {
      plt << (i > 1 ? "," : "") << points[i].first << ',' << points[i].second;
    }
    plt << ";\r\n";
    return plt.str();
  }

  std::mt19937 random_;
};

// Traces, marks and exports the drawing; empty when corvane failed.
std::string contourJob(const testing::TempDir& dir, const std::string& drawing,
                       std::string& errors) {
  const int status = testing::RunToEnd(dir,
                                       {CORVANE_PATH, drawing, "--dir", dir.path().string(),
                                        "--no-handoff", "trace", "2", "mark", "cut-contour"},
                                       &errors);
  return status == 0 ? testing::readFile(dir.file("QuillonPro1.tmp")) : std::string();
}

// What is wrong with the contour job of a drawing; empty when nothing.
std::string faultOf(const std::string& drawingPlt, const std::string& jobText) {
  const testing::Job drawing = testing::readJob(drawingPlt);
  const testing::Job job = testing::readJob(jobText);
  if (job.lines.empty() || job.frame.size() != 4) return "no contour or no frame";
  // The marks lie 20 mm outside the contour's box.
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  for (const FitLine& line : job.lines) {
    for (const FitPoint& p : line.points) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      bottom = std::min(bottom, p.y);
      top = std::max(top, p.y);
    }
  }
  // The frame's numbers are whole plotter units, each rounded down, and its
  // top is the sum of two of them; the contour's are rounded: 0.1 mm.
  const double expected[] = {left - 20, right + 20, bottom - 20, top + 20};
  for (int i = 0; i < 4; ++i) {
    if (std::abs(job.frame[static_cast<std::size_t>(i)] / testing::kJobUnitsPerMm - expected[i]) >
        0.1) {
      std::ostringstream fault;
      fault << "the TB frame's edge " << i << " is at "
            << job.frame[static_cast<std::size_t>(i)] / testing::kJobUnitsPerMm << " mm, not "
            << expected[i] << " mm from the contour";
      return fault.str();
    }
  }
  const testing::ContourFit fit = testing::fitOf(drawing.lines, job.lines);
  return fit.holds(kOffset, kReach) ? std::string() : fit.where;
}

TEST(CorvaneContour, EveryBundledSampleLiesInsideItsContourByTheOffset) {
  for (const char* sample : {"lettering.plt", "sign.plt", "sticker.plt"}) {
    SCOPED_TRACE(sample);
    testing::TempDir dir;
    const std::string drawing = std::string(CORVANE_SAMPLES_DIR) + "/" + sample;
    std::string errors;
    const std::string job = contourJob(dir, drawing, errors);
    EXPECT_EQ(faultOf(testing::readFile(drawing), job) + errors, "");
  }
}

TEST(CorvaneContour, GeneratedDrawingsLieInsideTheirContoursByTheOffset) {
  DrawingMaker maker(17);
  testing::TempDir dir;
  int faults = 0;
  for (int i = 0; i < 200 && faults < 5; ++i) {
    const std::string plt = maker.drawing(i);
    testing::writeFile(dir.file("drawing.plt"), plt);
    std::string errors;
    const std::string job = contourJob(dir, dir.file("drawing.plt"), errors);
    const std::string fault = faultOf(plt, job) + errors;
    if (!fault.empty()) {
      ++faults;
      ADD_FAILURE() << "drawing " << i << ": " << fault << "\n" << plt;
    }
  }
}

}  // namespace
}  // namespace corvane

// The whole road from an SVG drawing: corvane traces, marks and exports the
// contour cut and writes the print file; corvane-out prepares the cut. The
// sheet printed from the print file must be cut where it was drawn.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/contour_fit.h"
#include "support/temp_dir.h"
#include "toolwindow/standins/svg/svg_reader.h"

namespace corvane::standin::svg {
namespace {

using corvane::testing::readFile;
using corvane::testing::TempDir;

constexpr double kOffsetMm = 2;
constexpr double kMarkDistanceMm = 20;
// The job's integer plotter units (0.025 mm), the export's curve resolution
// (0.01 mm) and the flattening (0.01 mm) together.
constexpr double kJobSlackMm = 0.05;

int run(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return status == -1 ? -1 : WEXITSTATUS(status);
}

SvgDrawing readDrawing(const std::string& path) {
  auto result = readSvgDrawing(readFile(path));
  EXPECT_TRUE(result.ok()) << path;
  return result.ok() ? std::move(result).value() : SvgDrawing{};
}

testing::FitPoint fitPoint(host::Point p) { return {p.x, p.y}; }

struct Frame {
  double left = 0, right = 0, top = 0, bottom = 0;
};

Frame frameOf(const std::vector<Path>& paths) {
  Frame f{1e300, -1e300, -1e300, 1e300};
  for (const Path& path : paths) {
    for (const host::Point& p : path.points) {
      f.left = std::min(f.left, p.x);
      f.right = std::max(f.right, p.x);
      f.top = std::max(f.top, p.y);
      f.bottom = std::min(f.bottom, p.y);
    }
  }
  return f;
}

// An 8-bit grey picture, read from ImageMagick's binary PGM.
struct Grey {
  int width = 0;
  int height = 0;
  std::string pixels;
  int at(int x, int y) const {
    return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y * width + x)]);
  }
};

Grey render(const TempDir& dir, const std::string& svg, const std::string& name) {
  // 101.6 dots per inch: four pixels a millimetre.
  const std::string png = dir.file(name + ".png");
  const std::string pgm = dir.file(name + ".pgm");
  EXPECT_EQ(run("rsvg-convert --dpi-x 101.6 --dpi-y 101.6 -b white -o '" + png + "' '" + svg + "'"),
            0);
  EXPECT_EQ(run("convert '" + png + "' -colorspace Gray -depth 8 'pgm:" + pgm + "'"), 0);
  Grey picture;
  std::istringstream in(readFile(pgm));
  std::string magic;
  int depth = 0;
  in >> magic >> picture.width >> picture.height >> depth;
  in.get();
  picture.pixels.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  EXPECT_EQ(magic, "P5");
  EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width * picture.height));
  return picture;
}

class SvgPrintAndCut : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(run(std::string(CORVANE_PATH) + " '" + sample_ + "' --dir '" + dir_.path().string() +
                  "' --no-handoff --print '" + print_ + "' trace 2 mark cut-contour"),
              0);
    ASSERT_EQ(
        run(std::string(CORVANE_OUT_PATH) + " convert '" + dir_.file("QuillonPro1.tmp") + "' -o '" +
            dir_.file("stream") + "' --intermediate '" + dir_.file("plain.hpgl") + "'"),
        0);
    job_ = readFile(dir_.file("QuillonPro1.tmp"));
    std::sscanf(job_.c_str(), "TB%ld,%ld,%ld,%ld;", &tb_[0], &tb_[1], &tb_[2], &tb_[3]);
  }

  TempDir dir_;
  std::string sample_ = CORVANE_SAMPLES_DIR "/sticker.svg";
  std::string print_ = dir_.file("print.svg");
  std::string job_;
  long tb_[4] = {0, 0, 0, 0};  // w, h, right, bottom in plotter units
};

TEST_F(SvgPrintAndCut, ContourEnclosesEveryPointOfTheArtworkByTheOffset) {
  const std::vector<testing::FitLine> contour = testing::readJob(job_).lines;
  ASSERT_FALSE(contour.empty());
  std::size_t checked = 0;
  for (const SvgLayer& layer : readDrawing(sample_).layers) {
    for (const SvgShape& shape : layer.shapes) {
      for (const Path& path : shape.paths) {
        for (const host::Point& p : path.points) {
          ASSERT_TRUE(testing::inside(fitPoint(p), contour))
              << shape.name << " " << p.x << "," << p.y;
          ASSERT_GE(testing::distanceTo(fitPoint(p), contour), kOffsetMm - kJobSlackMm)
              << shape.name << " " << p.x << "," << p.y;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 100U);
}

TEST_F(SvgPrintAndCut, PrintedMarksAndTheJobsFrameAgree) {
  const SvgDrawing printed = readDrawing(print_);
  ASSERT_EQ(printed.layers.back().name, "MarkLayer");
  const Frame marks = frameOf(printed.layers.back().shapes.at(0).paths);
  // The frame's numbers are rounded down to whole plotter units.
  constexpr double kAgree = 0.05;
  EXPECT_NEAR(static_cast<double>(tb_[0]) / testing::kJobUnitsPerMm, marks.right - marks.left,
              kAgree);
  EXPECT_NEAR(static_cast<double>(tb_[1]) / testing::kJobUnitsPerMm, marks.top - marks.bottom,
              kAgree);
  EXPECT_NEAR(static_cast<double>(tb_[2]) / testing::kJobUnitsPerMm, marks.right, kAgree);
  EXPECT_NEAR(static_cast<double>(tb_[3]) / testing::kJobUnitsPerMm, marks.bottom, kAgree);
  // The marks lie on the sheet, or the cutter could not find them.
  EXPECT_GE(marks.left, 0);
  EXPECT_GE(marks.bottom, 0);
  EXPECT_LE(marks.right, printed.root.widthMm);
  EXPECT_LE(marks.top, printed.root.heightMm);
}

TEST_F(SvgPrintAndCut, PreparedCutFitsTheFrameTwentyMillimetresInside) {
  const std::vector<testing::FitLine> cut =
      testing::readJob(readFile(dir_.file("plain.hpgl"))).lines;
  ASSERT_FALSE(cut.empty());
  // The output program turns the sheet: across the frame's height along x,
  // its width along y.
  const double across = static_cast<double>(tb_[1]) / testing::kJobUnitsPerMm;
  const double along = static_cast<double>(tb_[0]) / testing::kJobUnitsPerMm;
  // Each pen-up run starts at the origin travel; the cut itself is inside.
  for (const testing::FitLine& run : cut) {
    for (std::size_t i = 1; i < run.points.size(); ++i) {
      EXPECT_GE(run.points[i].x, kMarkDistanceMm - kJobSlackMm);
      EXPECT_LE(run.points[i].x, across - kMarkDistanceMm + kJobSlackMm);
      EXPECT_GE(run.points[i].y, kMarkDistanceMm - kJobSlackMm);
      EXPECT_LE(run.points[i].y, along - kMarkDistanceMm + kJobSlackMm);
    }
  }
}

TEST_F(SvgPrintAndCut, PrintFileRendersTheArtworkAsDrawnAndTheFourMarks) {
  const Grey drawn = render(dir_, sample_, "drawn");
  const Grey printed = render(dir_, print_, "printed");
  ASSERT_EQ(printed.width, drawn.width);
  ASSERT_EQ(printed.height, drawn.height);
  const SvgDrawing print = readDrawing(print_);
  const std::vector<Path>& marks = print.layers.back().shapes.at(0).paths;
  ASSERT_EQ(marks.size(), 4U);
  const auto pixel = [&](host::Point p) {
    return std::pair<int, int>{static_cast<int>(p.x * 4),
                               static_cast<int>((print.root.heightMm - p.y) * 4)};
  };
  // Each mark's corner is black on the printed sheet and white on the drawing.
  for (const Path& mark : marks) {
    const auto [x, y] = pixel(mark.points.at(1));
    EXPECT_LT(printed.at(x, y), 64) << x << "," << y;
    EXPECT_GT(drawn.at(x, y), 192) << x << "," << y;
  }
  // Everything else is the drawing itself: pixels differ only on the marks
  // (a 1 mm line: within 0.75 mm of its middle, with the edge's smoothing).
  std::size_t differing = 0;
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      if (std::abs(drawn.at(x, y) - printed.at(x, y)) <= 8) continue;
      ++differing;
      const host::Point page{(x + 0.5) / 4, print.root.heightMm - (y + 0.5) / 4};
      double nearest = std::numeric_limits<double>::infinity();
      for (const Path& mark : marks) {
        for (std::size_t i = 0; i + 1 < mark.points.size(); ++i) {
          nearest =
              std::min(nearest, testing::distanceToSegment(fitPoint(page), fitPoint(mark.points[i]),
                                                           fitPoint(mark.points[i + 1])));
        }
      }
      ASSERT_LE(nearest, 0.75) << "pixel " << x << "," << y;
    }
  }
  EXPECT_GT(differing, 4U * 2U * 20U * 4U * 3U);  // four marks, two 20 mm arms, about 1 mm wide
}

}  // namespace
}  // namespace corvane::standin::svg

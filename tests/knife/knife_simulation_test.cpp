#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "output/knife/knife_preview.h"
#include "output/knife/knife_simulation.h"
#include "output/pipeline/convert_job.h"
#include "support/recording_operator.h"
#include "support/sample_jobs.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

constexpr double kBladeMm = 0.25;
constexpr double kUnits = kKnifeUnitsPerMm;
const double kPi = std::acos(-1.0);

double mm(double units) { return units / kUnits; }

// A stream and its own design: the same pen-down paths, no corner treatment.
KnifeSimulation simulatePlain(const std::string& stream, double heading) {
  return simulateStream(stream, stream, kBladeMm, heading);
}

// The stream and intermediate file that the output program builds from a
// job, simulated with the heading along the stream's first cut (or `heading`).
KnifeSimulation simulateConverted(const std::string& job, std::optional<double> angle,
                                  std::optional<double> closed,
                                  std::optional<double> heading = std::nullopt) {
  testing::TempDir dir;
  testing::RecordingOperator op;
  ConvertRequest request{dir.file("job.plt"),
                         dir.file("stream.plt"),
                         dir.file("plain.plt"),
                         "TVM-1200",
                         angle,
                         closed};
  testing::writeFile(request.jobPath, job);
  EXPECT_TRUE(convertJob(request, op));
  const std::string plain = testing::readFile(request.intermediatePath);
  if (!heading) {
    const KnifeRun first = penDownRuns(traceStream(plain)).at(0);
    heading = std::atan2(first.at(1).y - first.at(0).y, first.at(1).x - first.at(0).x) * 180 / kPi;
  }
  return simulateStream(testing::readFile(request.streamPath), plain, kBladeMm, *heading);
}

double missAt(const KnifeSimulation& s, double x, double y) {
  return mm(NearestPath(s.cut.runs).distance({x, y}));
}

TEST(KnifeSimulation, StraightCutStartsBehindAndStopsShort) {
  const KnifeSimulation s = simulatePlain("IN;PA;PU0,0;PD2000,0;PU0,0;", 0);
  EXPECT_NEAR(mm(s.figures.overshoot.distance), kBladeMm, 0.001);
  EXPECT_NEAR(s.figures.overshoot.at.x, -kBladeMm * kUnits, 0.04);
  EXPECT_NEAR(mm(s.figures.miss.distance), kBladeMm, 0.001);
  EXPECT_NEAR(s.figures.miss.at.x, 2000, 0.04);
  EXPECT_NEAR(mm(s.figures.length), 50, 0.001);
  EXPECT_EQ(describeFigures(s.figures),
            "miss 0.250 mm at (50.000, 0.000); overshoot 0.250 mm at (-0.250, 0.000); "
            "length 50.000 mm; corners missed >0.1 mm: 1");
}

TEST(KnifeSimulation, SquareWithoutCornerTreatmentRoundsEveryCorner) {
  const KnifeSimulation s = simulatePlain("PU0,0;PD800,0;PD800,800;PD0,800;PD0,0;PU0,0;", 0);
  // The tractrix round a right angle comes no closer than 0.663 r.
  for (const auto& [x, y] : {std::pair{800, 0}, {800, 800}, {0, 800}}) {
    SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
    EXPECT_NEAR(missAt(s, x, y), 0.663 * kBladeMm, 0.005);
  }
  EXPECT_NEAR(mm(s.figures.miss.distance), 0.663 * kBladeMm, 0.005);
  EXPECT_EQ(s.figures.cornersMissed, 3);
}

const char* const kSquareJob = "IN;PA;PU0,0;PD800,0;PD800,800;PD0,800;PD0,0;PU0,0;DB0,0,800,0;";

TEST(KnifeSimulation, SharpCornerOptionReachesTheCorners) {
  // What remains is the swing arc's rounding to whole plotter units.
  EXPECT_LT(mm(simulateConverted(kSquareJob, 0.25, std::nullopt).figures.miss.distance), 0.02);
}

TEST(KnifeSimulation, WrongStartingHeadingMissesTheFirstCorner) {
  const KnifeSimulation s = simulateConverted(kSquareJob, 0.25, std::nullopt, 0.0);
  // The closing swing reaches the start point itself; the tip, set down
  // across the first cut, swings in just past it.
  const KnifePoint start = s.design.at(0).at(0);
  const KnifePoint at = s.figures.miss.at;
  EXPECT_NEAR(mm(s.figures.miss.distance), 0.11, 0.01);
  EXPECT_LT(mm(std::hypot(at.x - start.x, at.y - start.y)), 1.0);
}

TEST(KnifeSimulation, CircleIsMissedByTheChordOfTheBlade) {
  constexpr double radius = 20 * kUnits;
  std::string stream = "PU800,0;";
  for (int i = 0; i <= 360; ++i) {
    const double a = i * kPi / 180;
    stream += "PD" + std::to_string(std::lround(radius * std::cos(a))) + "," +
              std::to_string(std::lround(radius * std::sin(a))) + ";";
  }
  const double r = kBladeMm * kUnits;
  const double expected = mm(radius - std::sqrt(radius * radius - r * r));  // 0.0016 mm
  const double miss = mm(simulatePlain(stream + "PU0,0;", 90).figures.miss.distance);
  // Plus the rounding of the circle's points to whole units.
  EXPECT_GT(miss, expected - 0.0005);
  EXPECT_LT(miss, expected + 0.0125);
}

TEST(KnifeSimulation, ClosingOptionReachesBothEndsOfAnOpenLine) {
  const KnifeSimulation s =
      simulateConverted("IN;PA;PU0,0;PD1000,300;PU0,0;DB0,0,1000,0;", std::nullopt, 0.25);
  const KnifeRun& line = s.design.at(0);
  EXPECT_LT(missAt(s, line.front().x, line.front().y), 0.07);
  EXPECT_LT(missAt(s, line.back().x, line.back().y), 0.07);
}

TEST(KnifeSimulation, LoneDownPointIsADot) {
  const KnifeSimulation s = simulatePlain("PU100,100;PD100,100;PU0,0;", 0);
  ASSERT_EQ(s.design.size(), 1u);
  EXPECT_EQ(s.design[0].size(), 1u);
  EXPECT_NEAR(mm(s.figures.miss.distance), kBladeMm, 0.001);
}

TEST(KnifeSimulation, KnifeUpKeepsTheHeading) {
  // After a cut along +Y the knife comes down again 10 mm to the right: the
  // tip lands r below the holder, not r to its left.
  const KnifeSimulation s = simulatePlain("PU0,0;PD0,400;PU400,400;PD400,800;PU0,0;", 0);
  ASSERT_EQ(s.cut.runs.size(), 2u);
  EXPECT_NEAR(s.cut.runs[1].front().x, 400, 1e-9);
  EXPECT_NEAR(s.cut.runs[1].front().y, 390, 1e-9);
}

TEST(KnifeSimulation, CornerOptionsAreSimulatedWithoutAStreamFile) {
  testing::TempDir dir;
  const std::string plain = dir.file("QuillonPro2.tmp");
  testing::writeFile(plain, "IN;PA;PU0,0;PU0,0;PD0,0;PD800,0;PD800,800;PD0,800;PD0,0;PU0,0;!PG;");
  const auto sharp =
      simulateCornerOptions(plain, Dialect::Dmpl, 0.25, std::nullopt, true, kBladeMm);
  ASSERT_TRUE(sharp.has_value());
  EXPECT_LT(mm(sharp->figures.miss.distance), 0.02);
  const auto plainCut =
      simulateCornerOptions(plain, Dialect::Dmpl, std::nullopt, std::nullopt, true, kBladeMm);
  ASSERT_TRUE(plainCut.has_value());
  EXPECT_NEAR(mm(plainCut->figures.miss.distance), 0.663 * kBladeMm, 0.005);
  EXPECT_FALSE(simulateCornerOptions(plain, Dialect::Dmpl, 0.0, 0.0, false, kBladeMm).has_value());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// With the cut order on, the dialog's picture is the cut of the stream that
// Output sends, on either road.
TEST(KnifeSimulation, CutOrderIsSimulatedAsTheStreamIsOrdered) {
  for (const std::optional<double> angle : {std::optional<double>(), std::optional(0.25)}) {
    SCOPED_TRACE(angle ? "sharp-corner option" : "plain");
    testing::TempDir dir;
    testing::RecordingOperator op;
    ConvertRequest request{dir.file("job.plt"),
                           dir.file("stream.plt"),
                           dir.file("plain.plt"),
                           "TVM-1200",
                           angle,
                           std::nullopt,
                           true};
    testing::writeFile(request.jobPath, testing::kLetterOJob);
    ASSERT_TRUE(convertJob(request, op));
    const std::string plain = testing::readFile(request.intermediatePath);
    const KnifeSimulation sent =
        simulateStream(testing::readFile(request.streamPath), plain, kBladeMm, 0);
    const auto shown = simulateCornerOptions(request.intermediatePath, Dialect::Hpgl, angle,
                                             std::nullopt, true, kBladeMm);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(describeFigures(shown->figures), describeFigures(sent.figures));
  }
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "output/engine/engine_messages.h"
#include "output/engine/plt_converter.h"
#include "support/path_printing.h"
#include "support/recording_operator.h"

namespace corvane {
namespace {

using testing::RecordingOperator;
using Points = std::vector<PathPoint>;

TEST(MarkOffset, MirrorsXAndShiftsYOntoTheReferenceCorner) {
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText("DB0,0,1000,200;PU100,300;PD-50,-60;");
  ASSERT_TRUE(job.applyMarkOffset(job.param3(), job.param4()));
  EXPECT_EQ(job.points(), (Points{up(900, 100), down(900, 100), down(1050, -260)}));
  EXPECT_TRUE(op.messages.empty());
}

TEST(MarkOffset, RefusesWithoutJobCommandOrWithZeroOffsets) {
  struct Case {
    const char* text;
    std::int32_t a, b;
    const char* message;
  };
  const Case cases[] = {
      {"PU100,300;", 1000, 200, messages::kNeedsJobCommand},
      {"DB0,0,0,0;PU100,300;", 0, 0, messages::kOffsetAllZero},
      {"TB1,2,0,0;PU100,300;", 0, 0, messages::kOffsetAllZero},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingOperator op;
    PltConverter job(op);
    job.readPltText(c.text);
    EXPECT_FALSE(job.applyMarkOffset(c.a, c.b));
    EXPECT_EQ(op.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(job.points(), Points{up(100, 300)});
  }
}

TEST(MarkOffset, SaturatesInsteadOfWrapping) {
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText("DB0,0,2147483647,-2147483648;PU-2147483648,2147483647;PU5,5;");
  ASSERT_TRUE(job.applyMarkOffset(job.param3(), job.param4()));
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(job.points(), (Points{up(kMax, kMax), up(kMax - 5, kMax)}));
}

TEST(Bounds, AlwaysContainTheOrigin) {
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText("PU100,200;PD300,50;");
  ASSERT_TRUE(job.computeBounds());
  EXPECT_EQ(job.minX(), 0);
  EXPECT_EQ(job.minY(), 0);
  EXPECT_EQ(job.maxX(), 300);
  EXPECT_EQ(job.maxY(), 200);

  job.readPltText("PU-100,-200;PD-300,-50;");
  ASSERT_TRUE(job.computeBounds());
  EXPECT_EQ(job.minX(), -300);
  EXPECT_EQ(job.minY(), -200);
  EXPECT_EQ(job.maxX(), 0);
  EXPECT_EQ(job.maxY(), 0);
}

TEST(CornerDistances, MillimetresBecomeTruncatedPlotterUnits) {
  struct Case {
    double angleMm, closedMm;
    std::uint32_t corner, close;
  };
  const Case cases[] = {
      {1.0, 1.0, 40, 40},   {0.5, 0.0, 20, 0},   {0.0, 2.49, 0, 99},
      {10.0, 0.01, 400, 0}, {-0.01, 1.0, 0, 40},  // rounds to 0 units, which is allowed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.angleMm) + " " + std::to_string(c.closedMm));
    RecordingOperator op;
    PltConverter job(op);
    EXPECT_TRUE(job.setCornerDistances(c.angleMm, c.closedMm));
    EXPECT_EQ(job.cornerDistance(), c.corner);
    EXPECT_EQ(job.closeDistance(), c.close);
    EXPECT_TRUE(op.messages.empty());
  }
}

TEST(CornerDistances, RefusesZeroNegativeAndUnusableValues) {
  const double nan = std::nan("");
  const double cases[][2] = {{0.0, 0.0}, {0.01, 0.02}, {-1.0, 1.0},  {1.0, -0.5},
                             {nan, 1.0}, {1.0, 1e12},  {-1e300, 0.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c[0]) + " " + std::to_string(c[1]));
    RecordingOperator op;
    PltConverter job(op);
    job.setCornerDistances(1.0, 1.0);
    EXPECT_FALSE(job.setCornerDistances(c[0], c[1]));
    EXPECT_EQ(op.texts(), std::vector<std::string>{messages::kCornerParametersWrong});
    // Nothing is left for the corner writer to work with.
    EXPECT_EQ(job.cornerDistance(), 0u);
    EXPECT_EQ(job.closeDistance(), 0u);
  }
}

}  // namespace
}  // namespace corvane

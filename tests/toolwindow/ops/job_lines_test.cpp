#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/temp_dir.h"
#include "toolwindow/cutout/job_file.h"
#include "toolwindow/cutout/job_lines.h"

namespace corvane::toolwindow {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(JobLinesTest, LinesAreIntegersWithCrLf) {
  EXPECT_EQ(DbLine(4400, -200), "DB0,0,4400,-200;\r\n");
  EXPECT_EQ(TbLine(5600, 3600, 5200, -493), "TB5600,3600,5200,-493;\r\n");
  EXPECT_EQ(SbLine(3), "SB3;\r\n");
}

TEST(JobLinesTest, PlotterUnitsRoundTowardMinusInfinityWithinTheirRange) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double units;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {110.02 * 40, 4400},
      {-12.31 * 40, -493},
      {-200.5, -201},
      {2147483647.9, 2147483647},
      {-2147483648.0, -2147483647 - 1},
      {2147483648.0, std::nullopt},
      {-2147483648.5, std::nullopt},
      {inf, std::nullopt},
      {-inf, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(FloorPlotterUnits(c.units), c.expected);
  }
}

class JobFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string job = dir.file("QuillonPro1.tmp");
};

TEST_F(JobFileTest, LinesGoInFrontOfEveryByteOfTheExport) {
  const std::string plot("IN;PU0,0;\r\nPD1,1;\0\xff;", 20);
  writeFile(job, plot);
  ASSERT_TRUE(PrependJobLines(job, "TB1,2,3,4;\r\nSB0;\r\n"));
  EXPECT_EQ(readFile(job), "TB1,2,3,4;\r\nSB0;\r\n" + plot);
  EXPECT_FALSE(std::filesystem::exists(job + ".new"));
}

TEST_F(JobFileTest, NoExportFileIsAFailureAndMakesNoJob) {
  const host::HostStatus status = PrependJobLines(job, "DB0,0,1,1;\r\n");
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error().text, "the export wrote no file");
  EXPECT_FALSE(std::filesystem::exists(job));
}

TEST_F(JobFileTest, AReplacementThatCannotBeWrittenLeavesTheJobFileAsItWas) {
  writeFile(job, "PU0,0;");
  std::filesystem::create_directory(job + ".new");  // stands in the way of the new file
  EXPECT_FALSE(PrependJobLines(job, "DB0,0,1,1;\r\n"));
  EXPECT_EQ(readFile(job), "PU0,0;");
}

}  // namespace
}  // namespace corvane::toolwindow

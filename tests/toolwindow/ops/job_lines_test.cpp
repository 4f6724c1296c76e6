#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/temp_dir.h"
#include "toolwindow/cutout/job_file.h"
#include "toolwindow/cutout/job_lines.h"

namespace corvane::toolwindow {
namespace {

using corvane::testing::readFile;
using corvane::testing::writeFile;

TEST(JobLinesTest, OnlyFiniteNumbersWithinThirtyTwoBitsBecomePlotterUnits) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, std::optional<std::int32_t>> cases[] = {
      {-200.5, -201},     {2147483647.9, 2147483647}, {-2147483648.0, INT32_MIN},
      {2147483648.0, {}}, {-2147483648.5, {}},        {inf, {}},
      {-inf, {}},         {std::nan(""), {}}};
  for (const auto& [units, expected] : cases) {
    SCOPED_TRACE(units);
    EXPECT_EQ(FloorPlotterUnits(units), expected);
  }
}

TEST(JobFileTest, NoExportOrNoRoomForTheNewFileMakesNoJob) {
  corvane::testing::TempDir dir;
  const std::string job = dir.file("QuillonPro1.tmp");
  EXPECT_FALSE(PrependJobLines(job, "DB0,0,1,1;\r\n"));
  EXPECT_FALSE(std::filesystem::exists(job));
  writeFile(job, "PU0,0;");
  std::filesystem::create_directory(job + ".new");  // stands in the new file's way
  EXPECT_FALSE(PrependJobLines(job, "DB0,0,1,1;\r\n"));
  EXPECT_EQ(readFile(job), "PU0,0;");
}

}  // namespace
}  // namespace corvane::toolwindow

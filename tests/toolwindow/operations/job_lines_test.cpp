#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "common/job_contract.h"
#include "output/engine/plt_parser.h"
#include "support/temp_dir.h"
#include "toolwindow/export/job_file.h"
#include "toolwindow/export/job_lines.h"

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

// The tool window's lines as the output program's reader takes them, in
// front of plot data as the export leaves it.
TEST(JobLinesTest, WhatTheToolWindowWritesTheOutputProgramReads) {
  constexpr std::int32_t kMin = INT32_MIN;
  constexpr std::int32_t kMax = INT32_MAX;
  struct Case {
    std::string lines;
    const char* text;
    bool tb;
    std::array<std::int32_t, 4> params;
  };
  const Case cases[] = {
      {job::dbLine(4400, -200), "DB0,0,4400,-200;\r\n", false, {0, 0, 4400, -200}},
      {job::tbLine(5600, 3600, 5200, -493) + job::sbLine(3),
       "TB5600,3600,5200,-493;\r\nSB3;\r\n",
       true,
       {5600, 3600, 5200, -493}},
      {job::tbLine(kMax, kMin, 0, kMax) + job::sbLine(kMin),
       "TB2147483647,-2147483648,0,2147483647;\r\nSB-2147483648;\r\n",
       true,
       {kMax, kMin, 0, kMax}},
      {job::dbLine(kMin, kMax), "DB0,0,-2147483648,2147483647;\r\n", false, {0, 0, kMin, kMax}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.lines, c.text);
    std::vector<PathPoint> points;
    JobCommand read;
    PltParser reader(points, read);
    reader.feed(c.lines + "IN;PA;PU400,400;PD2000,400;PU0,0;");
    reader.finish();
    EXPECT_EQ(read.tbSeen, c.tb);
    EXPECT_EQ(read.dbSeen, !c.tb);
    EXPECT_EQ(read.params, c.params);
    EXPECT_EQ(points.size(), 4u);
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

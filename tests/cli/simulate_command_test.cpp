#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/shell_run.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::readFile;
using testing::RunResult;
using testing::TempDir;
using testing::writeFile;

RunResult corvaneOut(const TempDir& dir, const std::string& args) {
  return testing::runInShell(dir, CORVANE_OUT_PATH, args);
}

// A 50 mm cut; in the stream's exchanged axes it runs from (0, 50) down to
// the origin, so a heading of 270 degrees lies along it.
constexpr const char* kLineJob = "IN;PA;PU0,0;PD2000,0;PU0,0;\r\nDB0,0,2000,0;\r\n";
constexpr const char* kLineFigures =
    "miss 0.250 mm at (0.000, 0.000); overshoot 0.250 mm at (0.000, 50.250); length 50.000 mm; "
    "corners missed >0.1 mm: 1\n";

TEST(SimulateCommand, PrintsTheFiguresOnOneLine) {
  TempDir dir;
  writeFile(dir.file("job.plt"), kLineJob);
  const RunResult run = corvaneOut(
      dir, "simulate " + dir.file("job.plt") + " --blade 0.25 --heading 270 --machine TVM-1200");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kLineFigures);
  EXPECT_NE(run.err.find("heading 270 degrees from +X"), std::string::npos) << run.err;
}

TEST(SimulateCommand, TakesTheBladeAndCornerSettingsSavedBesideTheJob) {
  TempDir dir;
  writeFile(dir.file("job.plt"), kLineJob);
  writeFile(dir.file("Config.ini"),
            "[KNIFE]\r\nBLADE=0.25\r\n[ENABLE]\r\nCLOSED=1\r\n"
            "[OFFSET]\r\nCLOSED=0.25\r\n");
  const RunResult run = corvaneOut(dir, "simulate " + dir.file("job.plt") + " --heading 270");
  EXPECT_EQ(run.status, 0) << run.err;
  // The lead-out carries the tip to the end.
  EXPECT_EQ(run.out.substr(0, 14), "miss 0.000 mm ") << run.out;
  EXPECT_NE(run.err.find("ANGLE off, CLOSED 0.25 mm"), std::string::npos) << run.err;
}

TEST(SimulateCommand, SimulatesTheBundledSamplesAndDrawsThem) {
  const std::regex figures(
      "miss [0-9.]+ mm at \\(-?[0-9.]+, -?[0-9.]+\\); overshoot [0-9.]+ mm at \\(-?[0-9.]+, "
      "-?[0-9.]+\\); length [0-9.]+ mm; corners missed >0\\.1 mm: [0-9]+\n");
  for (const char* sample : {"lettering.plt", "sign.plt", "sticker.plt"}) {
    SCOPED_TRACE(sample);
    TempDir dir;
    const RunResult run =
        corvaneOut(dir, std::string("simulate ") + CORVANE_SAMPLES_DIR + "/" + sample +
                            " --blade 0.25 --angle 0.25 --svg " + dir.file("cut.svg"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, figures)) << run.out;
    const std::string svg = readFile(dir.file("cut.svg"));
    EXPECT_NE(svg.find("stroke=\"#e00000\""), std::string::npos);
    EXPECT_NE(svg.find(">miss "), std::string::npos);
  }
}

TEST(SimulateCommand, SuggestsASettingBesideTheSavedOne) {
  TempDir dir;
  const RunResult run = corvaneOut(
      dir, std::string("simulate ") + CORVANE_SAMPLES_DIR + "/lettering.plt --blade 0.1 --suggest");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::regex_search(run.out, std::regex("^saved ANGLE off, CLOSED off: miss .*\n"
                                                    "best  ANGLE .*: miss .*\n$")))
      << run.out;
}

TEST(SimulateCommand, RefusesAMissingBladeOffset) {
  TempDir dir;
  writeFile(dir.file("job.plt"), kLineJob);
  for (const char* options : {"", " --blade 0", " --blade x", " --angle y --blade 1"}) {
    SCOPED_TRACE(options);
    EXPECT_EQ(corvaneOut(dir, "simulate " + dir.file("job.plt") + options).status, 2);
  }
}

TEST(SimulateCommand, ConvertPreviewAddsTheCutAndLeavesTheStreamAlone) {
  TempDir dir;
  writeFile(dir.file("job.plt"), kLineJob);
  const std::string convert = "convert " + dir.file("job.plt") + " --machine TVM-1200 -o ";
  ASSERT_EQ(corvaneOut(dir, convert + dir.file("plain.hpgl")).status, 0);
  const RunResult run = corvaneOut(dir, convert + dir.file("knife.hpgl") + " --preview " +
                                            dir.file("cut.svg") + " --blade 0.25");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(dir.file("knife.hpgl")), readFile(dir.file("plain.hpgl")));
  EXPECT_NE(readFile(dir.file("cut.svg")).find("stroke=\"#e00000\""), std::string::npos);
}

}  // namespace
}  // namespace corvane

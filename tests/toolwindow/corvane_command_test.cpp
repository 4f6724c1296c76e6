#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"
#include "support/temp_dir.h"
#include "transport/pty_pair.h"

namespace corvane {
namespace {

using testing::ChildProcess;
using testing::readFile;
using testing::RunToEnd;
using testing::TempDir;
using testing::writeFile;

// A 100 x 50 mm rectangle with its bottom-left corner at (10, 20) mm.
constexpr const char* kRectangle =
    "IN;PA;SP1;\r\nPU400,800;\r\nPD4400,800,4400,2800,400,2800,400,800;\r\nPU;SP0;\r\n";

// The coordinates of the pen-down commands of an HPGL text.
std::vector<std::pair<long, long>> CutPoints(const std::string& hpgl) {
  std::vector<std::pair<long, long>> points;
  for (std::size_t at = hpgl.find("PD"); at != std::string::npos; at = hpgl.find("PD", at + 2)) {
    char* end = nullptr;
    const long x = std::strtol(hpgl.c_str() + at + 2, &end, 10);
    if (end == nullptr || *end != ',') continue;
    points.emplace_back(x, std::strtol(end + 1, nullptr, 10));
  }
  return points;
}

TEST(CorvaneCommand, CutPlotPutsTheJobTenMillimetresInFromItsCorner) {
  TempDir dir;
  std::string errors;
  ASSERT_EQ(RunToEnd(dir,
                     {CORVANE_PATH, CORVANE_SAMPLES_DIR "/sticker.plt", "--dir",
                      dir.path().string(), "--no-handoff", "cut-plot"},
                     &errors),
            0)
      << errors;
  ASSERT_EQ(RunToEnd(dir, {CORVANE_OUT_PATH, "convert", dir.file("QuillonPro1.tmp"), "-o",
                           dir.file("stream.hpgl"), "--machine", "TVM-1200", "--intermediate",
                           dir.file("plain.hpgl")}),
            0);
  const auto points = CutPoints(readFile(dir.file("plain.hpgl")));
  ASSERT_FALSE(points.empty());
  long minX = LONG_MAX;
  long minY = LONG_MAX;
  for (const auto& [x, y] : points) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
  }
  // 10 mm = 400 units; the export's rounding may move an edge by one.
  EXPECT_LE(std::labs(minX - 400), 1);
  EXPECT_LE(std::labs(minY - 400), 1);
}

TEST(CorvaneCommand, ReportsMessagesWithTheirNumberAndFailsTheCommand) {
  TempDir dir;
  writeFile(dir.file("drawing.plt"), kRectangle);
  std::string errors;
  EXPECT_EQ(RunToEnd(dir,
                     {CORVANE_PATH, dir.file("drawing.plt"), "--dir", dir.path().string(),
                      "--build", "X4", "mark", "lang", "trace", "-1"},
                     &errors),
            1);
  EXPECT_NE(errors.find("Corvane-X4: warning 15: Add mark failed"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Corvane-X4: warning 05: 请检查轮廓向外拓展值是否正确！"),
            std::string::npos)
      << errors;
  EXPECT_EQ(RunToEnd(dir, {CORVANE_PATH, dir.file("drawing.plt"), "sideways"}), 2);
  EXPECT_EQ(
      RunToEnd(dir, {CORVANE_PATH, dir.file("drawing.plt"), "--dir", dir.file("gone"), "mark"},
               &errors),
      2);
  EXPECT_NE(errors.find("gone: no such folder"), std::string::npos) << errors;
}

TEST(CorvaneCommand, NotesEachStepTheX6TraceSkippedAndKeepsItsResult) {
  // Curve 1 goes round its square twice: by the even-odd rule it encloses
  // nothing and has no boundary. Curve 2 is the rectangle.
  const std::string drawing =
      std::string(
          "IN;PA;SP1;\r\nPU0,0;\r\nPD400,0,400,400,0,400,0,0,400,0,400,400,0,400,0,0;\r\n") +
      (kRectangle + 10);
  const std::string note =
      "corvane: note: Trace Contour skipped RunBoundaryCommand on Curve 1: No boundary can be "
      "made: the objects enclose no area and have no lines.\n";
  const struct {
    const char* build;
    int status;
    bool noted;
  } cases[] = {{"X6", 0, true}, {"X4", 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.build);
    TempDir dir;
    writeFile(dir.file("drawing.plt"), drawing);
    std::string errors;
    const int status = RunToEnd(dir,
                                {CORVANE_PATH, dir.file("drawing.plt"), "--dir",
                                 dir.path().string(), "--build", c.build, "trace", "2"},
                                &errors);
    EXPECT_EQ(std::make_pair(status, errors.find(note) != std::string::npos),
              std::make_pair(c.status, c.noted))
        << errors;
  }
}

TEST(CorvaneCommand, ContourCutHandsOffToTheOutputProgramOnALine) {
  TempDir dir;
  writeFile(dir.file("drawing.plt"), kRectangle);
  // The stream the output program makes of this job, for comparison.
  ASSERT_EQ(RunToEnd(dir, {CORVANE_PATH, dir.file("drawing.plt"), "--dir", dir.path().string(),
                           "--no-handoff", "trace", "2", "mark", "cut-contour"}),
            0);
  ASSERT_EQ(RunToEnd(dir, {CORVANE_OUT_PATH, "convert", dir.file("QuillonPro1.tmp"), "-o",
                           dir.file("expected.stream")}),
            0);
  const std::string stream = readFile(dir.file("expected.stream"));
  ASSERT_FALSE(stream.empty());

  test::PtyPair line;
  ASSERT_TRUE(line.ok());
  writeFile(dir.file("Config.ini"), "[OUTPUT]\r\nPORTNAME=" + line.name() + "\r\n");
  const std::string frame = "TB25,3760,5760;";
  ChildProcess run(dir,
                   {CORVANE_PATH, dir.file("drawing.plt"), "--dir", dir.path().string(), "trace",
                    "2", "mark", "cut-contour"},
                   true);
  // The frame command arrives, and then nothing until the operator answers.
  line.startReading(frame.size(), std::chrono::milliseconds(10000));
  EXPECT_EQ(line.finish(), frame) << run.errors();
  line.startReading(frame.size() + 1, std::chrono::milliseconds(300));
  EXPECT_EQ(line.finish(), frame);
  run.Type("ok\n");
  line.startReading(frame.size() + stream.size(), std::chrono::milliseconds(5000));
  EXPECT_EQ(line.finish(), frame + stream);
  EXPECT_EQ(run.wait(), 0) << run.errors();
}

// What the line receives when corvane and corvane-out, installed in the
// folder `name`, cut the rectangle with Cut/Plot and then as a contour cut,
// the job's files beside them. `quiet` ends the reading when `count` is not
// known.
std::string LineBytesInFolder(const TempDir& dir, const std::string& name, std::size_t count,
                              std::string& config) {
  const std::filesystem::path folder = dir.path() / name;
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(CORVANE_PATH, folder / "corvane");
  std::filesystem::copy_file(CORVANE_OUT_PATH, folder / "corvane-out");
  test::PtyPair line;
  if (!line.ok()) return {};
  // An ANSI byte (0xF8) the programs must leave as it is.
  writeFile((folder / "Config.ini").string(),
            "[OWNER]\r\nNAME=S\xF8ren\r\n[OUTPUT]\r\nPORTNAME=" + line.name() + "\r\n");
  writeFile((folder / "drawing.plt").string(), kRectangle);
  ChildProcess run(dir,
                   {(folder / "corvane").string(), (folder / "drawing.plt").string(), "--dir",
                    folder.string(), "cut-plot", "trace", "2", "mark", "cut-contour"},
                   true);
  run.Type("ok\n");
  line.startReading(count, std::chrono::milliseconds(count == SIZE_MAX ? 3000 : 10000));
  EXPECT_EQ(run.wait(), 0) << run.errors();
  config = readFile((folder / "Config.ini").string());
  return line.finish();
}

TEST(CorvaneCommand, ProgramsInAFolderOutsideLatinOneCutAsInAnAsciiFolder) {
  TempDir dir;
  std::string asciiConfig;
  const std::string ascii = LineBytesInFolder(dir, "plain", SIZE_MAX, asciiConfig);
  // The Cut/Plot stream, then the frame and the contour's stream.
  ASSERT_EQ(ascii.rfind(";:H", 0), 0u) << ascii;
  ASSERT_NE(ascii.find("TB25,"), std::string::npos) << ascii;
  std::string config;
  EXPECT_EQ(LineBytesInFolder(dir, "\u523B\u5B57 \u00D8\u0141", ascii.size(), config), ascii);
  EXPECT_EQ(config.rfind("[OWNER]\r\nNAME=S\xF8ren\r\n", 0), 0u) << config;
  EXPECT_NE(config.find("OFFSET=2.0\r\n"), std::string::npos) << config;
}

TEST(CorvaneCommand, HelpAndVersionAnswerOnStandardOutput) {
  TempDir dir;
  EXPECT_EQ(RunToEnd(dir, {CORVANE_PATH, "--help"}), 0);
  EXPECT_EQ(readFile(dir.file("stdout.txt")).rfind("usage: corvane DRAWING", 0), 0u);
  EXPECT_EQ(RunToEnd(dir, {CORVANE_PATH, "--version"}), 0);
  EXPECT_EQ(readFile(dir.file("stdout.txt")).rfind("corvane 0.", 0), 0u);
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "output/engine/engine_messages.h"
#include "output/engine/plt_converter.h"
#include "support/path_printing.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::RecordingOperator;
using testing::TempDir;
using Points = std::vector<PathPoint>;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

Points read(const std::string& text) {
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText(text);
  EXPECT_TRUE(op.messages.empty());
  return job.points();
}

TEST(PltReader, Examples) {
  EXPECT_EQ(read("IN;PA;PU100,200;PD300,200,300,400;PU0,0;"),
            (Points{up(100, 200), down(100, 200), down(300, 200), down(300, 400), up(0, 0)}));
  // A pen-down at the pen-up position is not doubled.
  EXPECT_EQ(read("PU10,10;PD10,10;PD20,20;"), (Points{up(10, 10), down(10, 10), down(20, 20)}));
  // A run before any pen-up starts without a pen-up point; repeats are dropped.
  EXPECT_EQ(read("PD5,5;PD5,5;"), (Points{down(5, 5)}));
  // The comma and the blank each switch between X and Y.
  EXPECT_EQ(read("PD10, 20;"), (Points{down(10, 0)}));
  // Line breaks vanish even inside a number.
  EXPECT_EQ(read("PD1\r\n2,3;"), (Points{down(12, 3)}));
}

TEST(PltReader, CoordinateTextFamilies) {
  struct Case {
    const char* text;
    Points expected;
  };
  const Case cases[] = {
      {"PU12.5,3;", {up(125, 3)}},           // a decimal point is skipped
      {"PU1-2,3;", {up(1, 3)}},              // a number stops at an inner minus
      {"PU-5,-7;", {up(-5, -7)}},            //
      {"PU--5,7;", {up(0, 7)}},              // a second leading minus ends the number
      {"PU+5,7;", {up(5, 7)}},               // plus signs are skipped
      {"PUa1b2,3;", {up(12, 3)}},            // letters are skipped
      {"PU1,2,3;", {up(1, 2)}},              // an odd count drops the last X
      {"PU1,,2;", {up(1, 0)}},               // separators are not merged
      {"PU,;", {up(0, 0)}},                  // four bytes: read, empty numbers are 0
      {"PU5;", {}},                          //
      {"PU1 2 3 4;", {up(1, 2), up(3, 4)}},  // blanks separate like commas
      {"PU1\t2,3;", {up(12, 3)}},            // a tab is not a separator
      {"PU2147483647,-2147483648;", {up(kMax, kMin)}},
      {"PU2147483648,-2147483649;", {up(kMax, kMin)}},  // saturates, does not wrap
      {"PU99999999999999999999,-99999999999999999999;", {up(kMax, kMin)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(read(c.text), c.expected);
  }
}

TEST(PltReader, CommandFamilies) {
  struct Case {
    const char* text;
    Points expected;
  };
  const Case cases[] = {
      {"PU;PD;", {}},                      // too short to be read
      {"pu1,2;", {}},                      // heads are case-sensitive
      {" PU1,2;", {}},                     // no leading blanks are skipped
      {"P\nU1,2;", {up(1, 2)}},            // a line break inside the head
      {"PA1,2;SP1;PG;IN;PR3,4;", {}},      // other commands are skipped
      {"garbage without end PU1,2;", {}},  // stray text joins the next command
      {"PU1,2;PD3,4,5,6", {up(1, 2)}},     // an unterminated last command is dropped
      {"PU7,7;PD7,7,7,7,8,8;", {up(7, 7), down(7, 7), down(8, 8)}},
      {"PU1,1;PU2,2;PD3,3;", {up(1, 1), up(2, 2), down(2, 2), down(3, 3)}},
      {"PD0,0,5,5;", {down(5, 5)}},  // the start position (0,0) is not repeated
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(read(c.text), c.expected);
  }
}

TEST(PltReader, JobCommandNumbers) {
  struct Case {
    const char* text;
    bool tb;
    bool db;
    std::array<std::int32_t, 4> params;
  };
  const Case cases[] = {
      {"TB5,6,7,8,9;", true, false, {5, 6, 7, 8}},
      {"DB0,0,4400,1600;\r\n", false, true, {0, 0, 4400, 1600}},
      {"SB4;", false, false, {0, 0, 0, 0}},
      {"TB;", false, false, {0, 0, 0, 0}},       // three bytes: not read
      {"TB1;", true, false, {1, 0, 0, 0}},       // four bytes: read
      {"TB1 2,3;", true, false, {12, 3, 0, 0}},  // blanks do not end a number
      {"DB,5;", false, true, {0, 5, 0, 0}},      // an empty number is 0
      {"DB-1,x2,3.5,4;", false, true, {-1, 2, 35, 4}},
      {"TB1,2,3,4;DB5,6;", true, true, {5, 6, 3, 4}},  // the last command's numbers win
      {"DB1,2,3,4", false, false, {0, 0, 0, 0}},       // unterminated: not read
      {"TB99999999999,-99999999999;", true, false, {kMax, kMin, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingOperator op;
    PltConverter job(op);
    job.readPltText(c.text);
    EXPECT_EQ(job.tbSeen(), c.tb);
    EXPECT_EQ(job.dbSeen(), c.db);
    EXPECT_EQ((std::array{job.param1(), job.param2(), job.param3(), job.param4()}), c.params);
  }
}

TEST(PltReader, ChunkBoundariesDoNotMatter) {
  const std::string text =
      "IN;PA;\r\nPU100,-200;PD300 200,30\r\n0,400;TB5,6,7,8;PU0,0;PD1,1;SP0;PD;DB1,2;PD9";
  Points whole;
  JobCommand wholeJob;
  PltParser wholeParser(whole, wholeJob);
  wholeParser.feed(text);
  wholeParser.finish();

  Points bytewise;
  JobCommand bytewiseJob;
  PltParser parser(bytewise, bytewiseJob);
  for (char c : text) parser.feed(std::string_view(&c, 1));
  parser.finish();

  ASSERT_EQ(whole.size(), 7u);  // the unterminated PD9 is dropped
  EXPECT_EQ(bytewise, whole);
  EXPECT_EQ(bytewiseJob.params, wholeJob.params);
  EXPECT_EQ(bytewiseJob.tbSeen, wholeJob.tbSeen);
  EXPECT_EQ(bytewiseJob.dbSeen, wholeJob.dbSeen);
}

TEST(PltReader, KeepsEveryPointBeyondTheUsualDensity) {
  // Four bytes a point is denser than the six the array is sized for.
  TempDir dir;
  std::string text;
  for (int i = 0; i < 3000; ++i) text += i % 2 == 0 ? "PU,;" : "PD9,;";
  testing::writeFile(dir.file("dense.plt"), text);

  RecordingOperator op;
  PltConverter job(op);
  ASSERT_TRUE(job.readPlt(dir.file("dense.plt")));
  // Each PU(0,0) / PD(9,0) pair gives the pen-up point, its pen-down copy and the cut.
  ASSERT_EQ(job.count(), 1500u * 3u);
  EXPECT_GT(job.count(), text.size() / 6);
  EXPECT_EQ(job.points().back(), down(9, 0));
}

TEST(PltReader, ReadsOneCommandLongerThanAnyBuffer) {
  // One pen-down list of about 3.4 MB: longer than the read chunk and far
  // longer than a fixed command buffer.
  TempDir dir;
  constexpr int kPoints = 400000;
  std::string text = "PU0,0;PD";
  for (int i = 1; i <= kPoints; ++i) {
    text += std::to_string(i) + "," + std::to_string(-i) + (i == kPoints ? ";" : ",");
  }
  text += "DB0,0,0,1;";
  testing::writeFile(dir.file("long.plt"), text);

  RecordingOperator op;
  PltConverter job(op);
  ASSERT_TRUE(job.readPlt(dir.file("long.plt")));
  ASSERT_EQ(job.count(), 2u + kPoints);  // the pen-up point and its pen-down copy first
  EXPECT_EQ(job.points()[1], down(0, 0));
  EXPECT_EQ(job.points()[2], down(1, -1));
  EXPECT_EQ(job.points()[123458], down(123457, -123457));
  EXPECT_EQ(job.points().back(), down(kPoints, -kPoints));
  EXPECT_TRUE(job.dbSeen());
  EXPECT_TRUE(op.messages.empty());
}

TEST(PltReader, UnreadableFileLeavesTheModelAsItWas) {
  TempDir dir;
  testing::writeFile(dir.file("job.plt"), "TB1,2,3,4;PU1,2;PD3,4;");
  RecordingOperator op;
  PltConverter job(op);
  ASSERT_TRUE(job.readPlt(dir.file("job.plt")));
  const Points before = job.points();

  EXPECT_FALSE(job.readPlt(dir.file("missing.plt")));
  EXPECT_FALSE(job.readPlt(dir.path().string()));  // a directory opens but cannot be read
  EXPECT_EQ(op.texts(),
            (std::vector<std::string>{messages::kOpenPltFailed, messages::kOpenPltFailed}));
  EXPECT_EQ(job.points(), before);
  EXPECT_TRUE(job.tbSeen());
}

TEST(PltReader, ANewFileReplacesThePointsButNotTheJobCommand) {
  TempDir dir;
  testing::writeFile(dir.file("a.plt"), "TB1,2,3,4;PU1,2;PD3,4;");
  testing::writeFile(dir.file("b.plt"), "PU5,6;");
  RecordingOperator op;
  PltConverter job(op);
  ASSERT_TRUE(job.readPlt(dir.file("a.plt")));
  ASSERT_TRUE(job.readPlt(dir.file("b.plt")));
  EXPECT_EQ(job.points(), (Points{up(5, 6)}));
  EXPECT_TRUE(job.tbSeen());
  EXPECT_EQ(job.param4(), 4);
}

}  // namespace
}  // namespace corvane

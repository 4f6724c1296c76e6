#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "output/engine/corner_writer.h"
#include "output/engine/engine_messages.h"
#include "output/engine/plt_converter.h"
#include "output/engine/trig_tables.h"
#include "support/path_printing.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::RecordingOperator;

constexpr const char* kHpglHeader = "IN;PA;PU0,0;";
constexpr const char* kHpglTrailer = "PU0,0;!PG;";

std::string corner(PathPoint a, PathPoint b, PathPoint c, std::uint32_t d, bool closing,
                   Dialect dialect = Dialect::Hpgl) {
  StringSink sink;
  CommandWriter out(sink, dialect);
  CornerWriter(out, 8.0, 160, 10).emitCorner(a, b, c, d, closing);
  EXPECT_TRUE(out.flush());
  return sink.text;
}

// The body of a stream between the HPGL header and trailer.
std::string withCorners(const std::string& job, double angleMm, double closedMm) {
  RecordingOperator op;
  PltConverter converter(op);
  converter.readPltText(job);
  EXPECT_TRUE(converter.setCornerDistances(angleMm, closedMm));
  StringSink sink;
  EXPECT_TRUE(converter.writeWithCorners(sink, Dialect::Hpgl));
  EXPECT_TRUE(op.messages.empty());
  const std::string& text = sink.text;
  EXPECT_EQ(text.substr(0, 12), kHpglHeader);
  EXPECT_EQ(text.substr(text.size() - 10), kHpglTrailer);
  return text.substr(12, text.size() - 22);
}

TEST(TrigTables, HoldTheTruncatedValues) {
  EXPECT_EQ(SinTable[5], 87);
  EXPECT_EQ(SinTable[30], 500);
  EXPECT_EQ(SinTable[150], 499);
  EXPECT_EQ(CosTable[0], 1000);
  EXPECT_EQ(CosTable[5], 996);
  EXPECT_EQ(CosTable[60], 499);
  EXPECT_EQ(CosTable[90], 0);
  EXPECT_EQ(CosTable[120], -500);
  EXPECT_EQ(CosTable[160], -939);
  EXPECT_EQ(CosTable[179], -999);
}

TEST(EmitCorner, RightAngleSwingsCounterClockwise) {
  EXPECT_EQ(corner(down(0, 0), down(1000, 0), down(1000, 1000), 40, false),
            "PD1000,0;PD1040,0;PD1039,6;PD1037,13;PD1034,20;PD1030,25;PD1025,30;PD1019,34;"
            "PD1013,37;PD1006,39;PD1000,40;PD1000,1000;");
}

TEST(EmitCorner, RightAngleTheOtherWaySwingsClockwise) {
  EXPECT_EQ(corner(down(0, 0), down(1000, 0), down(1000, -1000), 40, false),
            "PD1000,0;PD1040,0;PD1039,-6;PD1037,-13;PD1034,-20;PD1030,-25;PD1025,-30;"
            "PD1019,-34;PD1013,-37;PD1006,-39;PD1000,-40;PD1000,-1000;");
}

TEST(EmitCorner, FortyFiveDegreesSwingsThirteenSteps) {
  const std::string text = corner(down(0, 0), down(1000, 0), down(0, 1000), 40, false);
  EXPECT_EQ(text.rfind("PD1000,0;PD1040,0;PD1039,6;", 0), 0u) << text;
  const std::string tail = "PD974,30;PD971,28;PD0,1000;";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
  // The vertex, the overcut, thirteen arc points, Q and C.
  EXPECT_EQ(std::count(text.begin(), text.end(), ';'), 17);
}

TEST(EmitCorner, TwoCutsShareOneDmplText) {
  EXPECT_EQ(corner(down(0, 0), down(1000, 0), down(1000, 1000), 40, false, Dialect::Dmpl),
            "D1000,0 D1040,0 D1039,6 D1037,13 D1034,20 D1030,25 D1025,30 D1019,34 D1013,37 "
            "D1006,39 D1000,40 1000,1000 ");
}

TEST(EmitCorner, WritesOnlyTheVertexWhenThereIsNothingToTreat) {
  struct Case {
    const char* why;
    PathPoint a, b, c;
    std::uint32_t d;
    bool closing;
    std::string expected;
  };
  const Case cases[] = {
      {"flat corner", down(0, 0), down(1000, 0), down(2000, 100), 40, false, "PD1000,0;"},
      {"no distance", down(0, 0), down(1000, 0), down(1000, 1000), 0, true, "PD1000,0;"},
      {"a equals b", down(1000, 0), down(1000, 0), down(1000, 1000), 40, true, "PD1000,0;"},
      {"a equals c", down(0, 0), down(1000, 0), down(0, 0), 40, true, "PD1000,0;"},
      {"b equals c", down(0, 0), down(1000, 0), down(1000, 0), 40, true, "PD1000,0;"},
      {"8-unit incoming segment", down(0, 0), down(8, 0), down(8, 1000), 40, false, "PD8,0;"},
      {"8-unit outgoing segment", down(0, 0), down(1000, 0), down(1000, 8), 40, false, "PD1000,0;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(corner(c.a, c.b, c.c, c.d, c.closing), c.expected);
  }
}

TEST(EmitCorner, TreatsSegmentsJustOverTheMinimum) {
  const std::string text = corner(down(0, 0), down(9, 0), down(9, 1000), 40, false);
  EXPECT_EQ(text.rfind("PD9,0;PD49,0;", 0), 0u) << text;
}

TEST(EmitCorner, ClosingVertexIsTreatedEvenWithShortSegments) {
  EXPECT_EQ(corner(down(0, 0), down(5, 0), down(5, 1000), 40, true),
            "PD5,0;PD45,0;PD44,6;PD42,13;PD39,20;PD35,25;PD30,30;PD24,34;PD18,37;PD11,39;"
            "PD5,40;");
}

TEST(EmitCorner, FlatClosingVertexCutsOnAlongTheLastSegment) {
  EXPECT_EQ(corner(down(0, 0), down(1000, 0), down(2000, 100), 40, true), "PD1000,0;PD1040,0;");
}

TEST(EmitCorner, ClampsAtTheEdgeOfTheCoordinateRange) {
  const std::string text =
      corner(down(2147483000, 0), down(2147483647, 0), down(2147483647, 1000), 40, false);
  EXPECT_EQ(text.rfind("PD2147483647,0;PD2147483647,0;", 0), 0u) << text;
}

TEST(LeadInAndOut, ExtendTheFirstAndLastSegments) {
  StringSink sink;
  CommandWriter out(sink, Dialect::Hpgl);
  CornerWriter corners(out, 8.0, 160, 10);
  corners.emitLeadIn(down(100, 100), down(400, 500), 50);  // 3-4-5 triangle
  corners.emitLeadIn(down(100, 100), down(100, 100), 50);  // no direction: nothing
  corners.emitLeadOut(down(100, 100), down(-200, -300), 50);
  corners.emitLeadOut(down(7, 7), down(7, 7), 50);  // no direction: the end only
  ASSERT_TRUE(out.flush());
  EXPECT_EQ(sink.text, "PU70,60;PD-200,-300;PD-230,-340;PD7,7;");
}

TEST(WriteWithCorners, ClosedOptionOnAnOpenPath) {
  EXPECT_EQ(withCorners("PU0,0;PD1000,0,1000,1000;PU0,0;", 0, 1),
            "PU-40,0;PD1000,0;PD1000,1000;PD1000,1040;");
}

TEST(WriteWithCorners, ClosedOptionOnAClosedPathEndsAtTheStart) {
  EXPECT_EQ(withCorners("PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU0,0;", 0, 1),
            "PU-40,0;PD1000,0;PD1000,1000;PD0,1000;PD0,0;");
}

TEST(WriteWithCorners, AngleOptionOnAClosedSquare) {
  EXPECT_EQ(withCorners("PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU0,0;", 1, 0),
            "PU0,0;"
            "PD1000,0;PD1040,0;PD1039,6;PD1037,13;PD1034,20;PD1030,25;PD1025,30;PD1019,34;"
            "PD1013,37;PD1006,39;PD1000,40;PD1000,1000;"
            "PD1000,1000;PD1000,1040;PD993,1039;PD986,1037;PD980,1034;PD974,1030;PD969,1025;"
            "PD965,1019;PD962,1013;PD960,1006;PD960,1000;PD0,1000;"
            "PD0,1000;PD-40,1000;PD-39,993;PD-37,986;PD-34,980;PD-30,974;PD-25,969;PD-19,965;"
            "PD-13,962;PD-6,960;PD0,960;PD0,0;"
            "PD0,0;PD0,-40;PD6,-39;PD13,-37;PD20,-34;PD25,-30;PD30,-25;PD34,-19;PD37,-13;"
            "PD39,-6;PD40,0;");
}

TEST(WriteWithCorners, BothOptionsCloseWithTheLongerDistance) {
  const std::string body = withCorners("PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU0,0;", 1, 2);
  EXPECT_EQ(body.rfind("PU-80,0;PD1000,0;PD1040,0;", 0), 0u) << body;
  const std::string closing =
      "PD0,0;PD0,-80;PD13,-78;PD27,-75;PD40,-69;PD51,-61;PD61,-51;PD69,-39;PD75,-27;PD78,-13;"
      "PD80,0;";
  ASSERT_GE(body.size(), closing.size());
  EXPECT_EQ(body.substr(body.size() - closing.size()), closing) << body;
}

TEST(WriteWithCorners, BothOptionsOnAnOpenPathLeadOutAfterTheLastCorner) {
  EXPECT_EQ(withCorners("PU0,0;PD1000,0,1000,1000;PU0,0;", 1, 1),
            "PU-40,0;"
            "PD1000,0;PD1040,0;PD1039,6;PD1037,13;PD1034,20;PD1030,25;PD1025,30;PD1019,34;"
            "PD1013,37;PD1006,39;PD1000,40;PD1000,1000;"
            "PD1000,1000;PD1000,1040;");
}

TEST(WriteWithCorners, SkipsRunsOfASinglePoint) {
  EXPECT_EQ(withCorners("PU5,5;PD5,5;PU0,0;PD0,0;PU9,9;PD9,9;", 1, 1), "");
}

TEST(WriteWithCorners, WithoutPenUpAtTheEndTheLastVertexIsNotWritten) {
  EXPECT_EQ(withCorners("PU0,0;PD1000,0,2000,0;", 0, 1), "PU-40,0;PD1000,0;");
}

TEST(WriteWithCorners, BothDistancesZeroWriteNoFile) {
  testing::TempDir dir;
  RecordingOperator op;
  PltConverter converter(op);
  converter.readPltText("PU0,0;PD1000,0,1000,1000;PU0,0;");
  EXPECT_FALSE(converter.setCornerDistances(0.0, 0.0));
  EXPECT_FALSE(converter.writeWithCorners(dir.file("stream.plt"), Dialect::Hpgl));
  EXPECT_FALSE(std::filesystem::exists(dir.file("stream.plt")));
  EXPECT_EQ(op.texts(), std::vector<std::string>{messages::kCornerParametersWrong});
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/preview/stream_trace.h"
#include "output/preview/svg_preview.h"

namespace corvane {
namespace {

std::string describe(const StreamTrace& trace) {
  std::string out;
  for (const TraceSegment& s : trace.segments) {
    out += (s.cut ? "cut " : "move ") + std::to_string(s.x1) + "," + std::to_string(s.y1) + " ";
  }
  return out;
}

TEST(StreamTrace, FollowsBothDialectsAlike) {
  const std::string hpgl = "IN;PA;PU0,0;PU-40,0;PD1000,0;PD1000,40;PD1000,1000;PU0,0;!PG;";
  const std::string dmpl = ";:H A L0 ECN U SP1;U-40,0 D1000,0 D1000,40 1000,1000 U0,0 @ U0,0 @";
  const std::string path = "move -40,0 cut 1000,0 cut 1000,40 cut 1000,1000 move 0,0 ";
  // The HPGL header moves to the origin; the DM/PL trailer moves there twice.
  EXPECT_EQ(describe(traceStream(hpgl)), "move 0,0 " + path);
  EXPECT_EQ(describe(traceStream(dmpl)), path + "move 0,0 ");
}

TEST(StreamTrace, MeasuresTheKnifeTravel) {
  const StreamTrace trace = traceStream("PU-40,10;PD1000,-20;PD30,400;");
  EXPECT_EQ(trace.minX, -40);
  EXPECT_EQ(trace.minY, -20);
  EXPECT_EQ(trace.maxX, 1000);
  EXPECT_EQ(trace.maxY, 400);
}

TEST(StreamTrace, IgnoresWhatIsNotACoordinatePair) {
  EXPECT_EQ(describe(traceStream("PD;PU12;D,5 U UU3,4;")), "move 3,4 ");
}

TEST(SvgPreview, DrawsCutsSolidAndTravelDashedInMillimetres) {
  const std::string svg = renderSvgPreview(traceStream("PU0,0;PU40,0;PD80,40;PD80,80;PU0,0;"));
  EXPECT_NE(svg.find("width=\"12mm\" height=\"12mm\" viewBox=\"-5 -7 12 12\""), std::string::npos)
      << svg;
  EXPECT_NE(svg.find("stroke-dasharray=\"1 1\" d=\"M0,0 L0,0 M0,0 L1,0 M2,-2 L0,0 \""),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("stroke=\"#0040c0\" stroke-width=\"0.3\" d=\"M1,0 L2,-1 L2,-2 \""),
            std::string::npos)
      << svg;
}

}  // namespace
}  // namespace corvane

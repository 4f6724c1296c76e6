#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/engine/plt_converter.h"
#include "output/engine/plt_parser.h"
#include "support/path_printing.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

struct Parsed {
  std::vector<PathPoint> points;
  JobCommand job;
};

Parsed inOnePass(std::string_view text) {
  Parsed out;
  PltParser parser(out.points, out.job);
  parser.feed(text);
  parser.finish();
  return out;
}

// Reads text[0, split) and text[split, end) apart, then joins them.
Parsed inTwoSections(std::string_view text, std::size_t split) {
  Parsed out;
  PltParser first(out.points, out.job);
  first.feed(text.substr(0, split));
  first.finish();

  std::vector<PathPoint> section;
  JobCommand sectionJob;
  PltParser second = PltParser::forSection(section, sectionJob);
  second.feed(text.substr(split));
  second.finish();
  joinSection(out.points, out.job, first.state(), section, sectionJob, second);
  return out;
}

TEST(PltSections, JoinAtAnyCommandBoundaryAsIfReadInOnePass) {
  const char* texts[] = {
      "PU10,10;PD10,10;PD20,20;PD20,20;PU5,5;PD6,6;",   // pen-down at the pen-up position
      "PU1,1;PD2,2;PD2,2,3,3;PD3,3;PU0,0;",             // repeats across commands
      "PD0,0;PD0,0,1,1;PD5,5;",                         // before any pen-up, at the start position
      "PU7,7;PU7,7;PD7,7;PD8,8;",                       //
      "TB1,2,3,4;PU1,1;DB5,6;PD2,2;TB;TB7;SB9;PD1,1;",  // job numbers overwrite in order
      "IN;PA;SP1;PU1,\r\n2;\r\nPD3,4;PD5,6,7,8;PU;PD;PD9",  // short and unterminated commands
  };
  for (const char* text : texts) {
    const std::string_view view(text);
    const Parsed whole = inOnePass(view);
    for (std::size_t split = 0; split <= view.size(); ++split) {
      if (split != 0 && view[split - 1] != ';') continue;
      SCOPED_TRACE(std::string(text) + " split at " + std::to_string(split));
      const Parsed joined = inTwoSections(view, split);
      EXPECT_EQ(joined.points, whole.points);
      EXPECT_EQ(joined.job.tbSeen, whole.job.tbSeen);
      EXPECT_EQ(joined.job.dbSeen, whole.job.dbSeen);
      EXPECT_EQ(joined.job.params, whole.job.params);
    }
  }
}

TEST(PltSections, ALargeFileReadsTheSameAsInOnePass) {
  // Big enough to be read in two sections on two threads; the middle falls
  // inside a pen-down list that repeats its previous point.
  std::string text = "IN;PA;TB1,2,3,4;\r\n";
  int i = 0;
  while (text.size() < (9u << 20)) {
    text += "PU" + std::to_string(i % 977) + "," + std::to_string(i % 463) + ";PD" +
            std::to_string(i % 977) + "," + std::to_string(i % 463) + "," +
            std::to_string(i % 101) + ",7,8,9,8,9;\r\n";
    ++i;
  }
  text += "DB0,0,40,80;PD1,2";
  testing::TempDir dir;
  testing::writeFile(dir.file("big.plt"), text);

  testing::RecordingOperator op;
  PltConverter fromFile(op);
  ASSERT_TRUE(fromFile.readPlt(dir.file("big.plt")));
  const Parsed whole = inOnePass(text);
  EXPECT_EQ(fromFile.points(), whole.points);
  EXPECT_TRUE(fromFile.tbSeen());
  EXPECT_TRUE(fromFile.dbSeen());
  EXPECT_EQ(fromFile.param3(), 40);
  EXPECT_EQ(fromFile.param4(), 80);
  EXPECT_TRUE(op.messages.empty());
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/engine/engine_messages.h"
#include "output/engine/plt_converter.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::RecordingOperator;
using testing::TempDir;

std::string plain(const std::string& job, Dialect dialect) {
  RecordingOperator op;
  PltConverter converter(op);
  converter.readPltText(job);
  StringSink sink;
  EXPECT_TRUE(converter.writePlain(sink, dialect));
  EXPECT_TRUE(op.messages.empty());
  return sink.text;
}

TEST(PlainWriter, ExchangesTheAxesInBothDialects) {
  const std::string job = "DB0,0,0,0;PU100,200;PD300,200;";
  EXPECT_EQ(plain(job, Dialect::Hpgl), "IN;PA;PU0,0;PU200,100;PD200,100;PD200,300;PU0,0;!PG;");
  EXPECT_EQ(plain(job, Dialect::Dmpl),
            ";:H A L0 ECN U SP1;U200,100 D200,100 D200,300 U0,0 @ U0,0 @");
}

TEST(PlainWriter, WritesEveryPointIncludingPenUpsAndExtremes) {
  EXPECT_EQ(plain("TB1;PU1,2;PU3,4;PD-5,-6;PU-2147483648,2147483647;", Dialect::Hpgl),
            "IN;PA;PU0,0;PU2,1;PU4,3;PD4,3;PD-6,-5;PU2147483647,-2147483648;PU0,0;!PG;");
  EXPECT_EQ(plain("TB1;", Dialect::Hpgl), "IN;PA;PU0,0;PU0,0;!PG;");
  EXPECT_EQ(plain("TB1;", Dialect::Dmpl), ";:H A L0 ECN U SP1;U0,0 @ U0,0 @");
}

TEST(PlainWriter, ReadsBackToTheSameModelWithAxesExchanged) {
  // The intermediate file is read again by the corner road: a round trip
  // through the writer and the reader must give the same path.
  TempDir dir;
  RecordingOperator op;
  PltConverter first(op);
  first.readPltText("DB0,0,5000,100;PU10,20;PD30,20,30,60,10,20;PU400,-7;PD1,2;");
  ASSERT_TRUE(first.writePlain(dir.file("plain.plt"), Dialect::Hpgl));
  PltConverter second(op);
  ASSERT_TRUE(second.readPlt(dir.file("plain.plt")));

  std::vector<PathPoint> expected{{0, 0, 1}};  // the header's pen-up
  for (const PathPoint& p : first.points()) expected.push_back({p.y, p.x, p.penUp});
  expected.push_back({0, 0, 1});  // the trailer's
  EXPECT_EQ(second.points(), expected);
  EXPECT_TRUE(op.messages.empty());
}

TEST(PlainWriter, WritesNoFileWithoutAJobCommand) {
  TempDir dir;
  RecordingOperator op;
  PltConverter converter(op);
  converter.readPltText("PU1,2;PD3,4;");
  EXPECT_FALSE(converter.writePlain(dir.file("out.plt"), Dialect::Hpgl));
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.plt")));
  EXPECT_EQ(op.texts(), std::vector<std::string>{messages::kNeedsJobCommand});
}

TEST(PlainWriter, ReplacesAnExistingFile) {
  TempDir dir;
  testing::writeFile(dir.file("out.plt"), std::string(10000, 'x'));
  RecordingOperator op;
  PltConverter converter(op);
  converter.readPltText("DB1;PU1,2;");
  ASSERT_TRUE(converter.writePlain(dir.file("out.plt"), Dialect::Hpgl));
  EXPECT_EQ(testing::readFile(dir.file("out.plt")), "IN;PA;PU0,0;PU2,1;PU0,0;!PG;");
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "output/engine/plt_converter.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::RecordingOperator;
using testing::TempDir;

TEST(StreamFile, AStreamThatCannotBeCreatedIsReported) {
  TempDir dir;
  const std::string path = dir.file("no-such-dir/QuillonPro3.tmp");
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText("DB0,0,1,1;PU1,1;PD2,2;");
  ASSERT_TRUE(job.setCornerDistances(1.0, 0.0));
  EXPECT_FALSE(job.writePlain(path, Dialect::Dmpl));
  EXPECT_FALSE(job.writeWithCorners(path, Dialect::Dmpl));
  const std::string expected = "Cannot create the file " + path + ": No such file or directory";
  EXPECT_EQ(op.texts(), (std::vector<std::string>{expected, expected}));
}

TEST(StreamFile, FileSinkKeepsOnlyACompletedFile) {
  TempDir dir;
  {
    FileSink abandoned(dir.file("a"));
    ASSERT_TRUE(abandoned.write("IN;PA;"));
  }  // never closed: the half-written file goes
  EXPECT_FALSE(std::filesystem::exists(dir.file("a")));

  FileSink done(dir.file("b"));
  ASSERT_TRUE(done.write("IN;PA;"));
  ASSERT_TRUE(done.close());
  EXPECT_EQ(testing::readFile(dir.file("b")), "IN;PA;");
}

}  // namespace
}  // namespace corvane

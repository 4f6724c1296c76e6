#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "output/engine/plt_converter.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::RecordingOperator;
using testing::TempDir;

// A job big enough that its stream cannot be written in one buffer.
std::string bigJob() {
  std::string job = "DB0,0,100000,0;";
  for (int i = 0; i < 20000; ++i) {
    job += "PU" + std::to_string(i) + ",0;PD" + std::to_string(i) + ",500," + std::to_string(i) +
           ",900;";
  }
  return job;
}

// Files of this process may not grow past `bytes` while it lives; writing
// past it fails with EFBIG like a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST(StreamFile, AStreamThatCannotBeWrittenWholeIsReportedAndRemoved) {
  TempDir dir;
  const std::string path = dir.file("QuillonPro3.tmp");
  RecordingOperator op;
  PltConverter job(op);
  job.readPltText(bigJob());
  ASSERT_TRUE(job.setCornerDistances(1.0, 1.0));

  for (const bool corners : {false, true}) {
    SCOPED_TRACE(corners ? "with corners" : "plain");
    testing::writeFile(path, "IN;PA;PU0,0;PD1,1;PU0,0;!PG;");  // last run's stream
    op.messages.clear();
    bool written = true;
    {
      FileSizeLimit limit(4096);
      written =
          corners ? job.writeWithCorners(path, Dialect::Hpgl) : job.writePlain(path, Dialect::Hpgl);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].first, MessageKind::Stop);
    EXPECT_EQ(op.messages[0].second, "Cannot write the file " + path + ": File too large");
  }
}

}  // namespace
}  // namespace corvane

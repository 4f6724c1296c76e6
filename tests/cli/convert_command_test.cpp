#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "support/sample_jobs.h"
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

constexpr const char* kJob = "IN;PA;PU100,200;PD300,200,300,400;PU0,0;\r\nDB0,0,1000,0;\r\n";

class ConvertCommand : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(job, kJob); }
  std::string convert(const std::string& options) {
    return "convert " + job + " -o " + stream + " " + options;
  }

  TempDir dir;
  const std::string job = dir.file("QuillonPro1.tmp");
  const std::string stream = dir.file("QuillonPro3.tmp");
};

TEST_F(ConvertCommand, WritesThePlainStreamInTheMachinesDialect) {
  struct Case {
    const char* options;
    const char* expected;
  };
  const Case cases[] = {
      {"--machine TVM-1200",
       "IN;PA;PU0,0;PU200,900;PD200,900;PD200,700;PD400,700;PU0,1000;PU0,0;!PG;"},
      {"", ";:H A L0 ECN U SP1;U200,900 D200,900 D200,700 D400,700 U0,1000 U0,0 @ U0,0 @"},
      {"--machine RQ-9",
       ";:H A L0 ECN U SP1;U200,900 D200,900 D200,700 D400,700 U0,1000 U0,0 @ U0,0 @"},
      {"--machine rq-2400",
       "IN;PA;PU0,0;PU200,900;PD200,900;PD200,700;PD400,700;PU0,1000;PU0,0;!PG;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    const RunResult run = corvaneOut(dir, convert(c.options));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(stream), c.expected);
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(std::filesystem::exists(stream + ".plain"));  // the default intermediate goes
  }
}

TEST_F(ConvertCommand, OrderCutsTheCounterFirstAndReportsTheTravel) {
  writeFile(job, testing::kLetterOJob);
  const std::string plain = dir.file("QuillonPro2.tmp");
  const RunResult run =
      corvaneOut(dir, convert("--machine TVM-1200 --order --report --intermediate " + plain));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(stream), testing::kLetterOOrderedHpgl);
  EXPECT_EQ(readFile(plain), testing::kLetterOPlainHpgl);  // the job's own order
  EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
            "Knife-up travel: 46.8 mm in the file's order, 36.5 mm inside first, least travel "
            "(2 paths)\npath\tcut\n1\t2\n2\t1\n");
}

TEST_F(ConvertCommand, BuildsTheCornerStreamFromTheIntermediateFile) {
  const std::string plain = dir.file("QuillonPro2.tmp");
  const RunResult run =
      corvaneOut(dir, convert("--machine PLN-600 --closed 1.00 --intermediate " + plain));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(plain),
            "IN;PA;PU0,0;PU200,900;PD200,900;PD200,700;PD400,700;PU0,1000;PU0,0;!PG;");
  EXPECT_EQ(readFile(stream), "IN;PA;PU0,0;PU200,940;PD200,700;PD400,700;PD440,700;PU0,0;!PG;");
}

TEST_F(ConvertCommand, FailureLeavesNoStreamBehind) {
  struct Case {
    const char* why;
    std::string jobText;
    std::string options;
    std::string message;
  };
  const Case cases[] = {
      {"no job file", "", "", "No such file or directory"},
      {"no DB or TB line", "PU1,1;PD2,2;", "",
       "This function is used for TB command! Please Check!"},
      {"both corner distances zero", kJob, "--angle 0 --closed 0.00", "尖角闭合参数设置有误"},
      {"negative distance", kJob, "--angle -1", "尖角闭合参数设置有误"},
      {"stream directory missing", kJob, "", "Cannot create the file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::filesystem::remove(job);
    if (!c.jobText.empty()) writeFile(job, c.jobText);
    std::string target = stream;
    if (c.message.rfind("Cannot create", 0) == 0) target = dir.file("missing/stream.plt");
    writeFile(stream, "IN;PA;PU0,0;PD1,1;PU0,0;!PG;");  // an earlier run's stream

    const RunResult run = corvaneOut(dir, "convert " + job + " -o " + target + " " + c.options);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_FALSE(std::filesystem::exists(target + ".plain"));
  }
}

// One line, the file and the system's reason first; no later step's warning.
TEST_F(ConvertCommand, AJobThatCannotBeReadIsOneLineNamingItAndTheReason) {
  const std::string unreadable = dir.file("unreadable.plt");
  writeFile(unreadable, kJob);
  std::filesystem::permissions(unreadable, std::filesystem::perms::none);
  const std::string folder = dir.file("folder.plt");
  std::filesystem::create_directory(folder);
  const std::pair<std::string, const char*> cases[] = {
      {dir.file("missing.plt"), "No such file or directory"},
      {folder, "Is a directory"},
      {unreadable, "Permission denied"},
  };
  for (const auto& [file, reason] : cases) {
    SCOPED_TRACE(file);
    // Permissions do not stop root.
    if (file == unreadable && geteuid() == 0) continue;
    const RunResult run = corvaneOut(dir, "convert " + file + " -o " + stream);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "corvane-out: cannot open " + file + ": " + reason + "\n");
  }
}

TEST(CorvaneOutCommand, HelpAndVersionAnswerOnStandardOutput) {
  TempDir dir;
  const RunResult help = corvaneOut(dir, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: corvane-out convert", 0), 0u) << help.out;
  const RunResult version = corvaneOut(dir, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("corvane-out 0.", 0), 0u) << version.out;
}

TEST_F(ConvertCommand, RefusesBadCommandLinesWithoutTouchingTheJob) {
  const std::string cases[] = {
      "",
      "convert",
      "convert " + job,
      convert("--angle"),
      convert("--angle 1mm"),
      convert("--closed abc"),
      convert("--speed 3"),
      "convert " + job + " -o " + job,
      convert("--intermediate " + job),
      convert("--preview " + stream),
  };
  for (const std::string& args : cases) {
    SCOPED_TRACE(args);
    const RunResult run = corvaneOut(dir, args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: corvane-out convert"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(job), kJob);
  }
}

TEST_F(ConvertCommand, DrawsAPreviewOfTheStream) {
  const std::string svg = dir.file("cut.svg");
  const RunResult run = corvaneOut(dir, convert("--angle 1 --preview " + svg));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string picture = readFile(svg);
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
  EXPECT_NE(picture.find("</svg>"), std::string::npos);
  EXPECT_NE(run.out.find(svg), std::string::npos) << run.out;
}

TEST(SampleJob, ConvertsWithBothCornerOptions) {
  TempDir dir;
  const std::string stream = dir.file("sign.hpgl");
  const RunResult run =
      corvaneOut(dir, "convert " + std::string(CORVANE_SAMPLES_DIR) + "/sign.plt -o " + stream +
                          " --machine TVM-1200 --angle 1 --closed 1");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = readFile(stream);
  EXPECT_EQ(text.rfind("IN;PA;PU0,0;", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 10), "PU0,0;!PG;");
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "output/cli/run_command.h"
#include "support/fake_transport.h"
#include "support/locked_file.h"
#include "support/recording_operator.h"
#include "support/sample_jobs.h"
#include "support/temp_dir.h"
#include "tests/transport/pty_pair.h"

namespace corvane {
namespace {

using testing::FakeTransport;
using testing::kDbJob;
using testing::kDbStreamClosedHpgl;
using testing::kDbStreamDmpl;
using testing::kDbStreamHpgl;
using testing::kTbFrameCommand;
using testing::kTbJob;
using testing::kTbStreamHpgl;
using testing::LockedFile;
using testing::readFile;
using testing::RecordingOperator;
using testing::TempDir;
using testing::writeFile;

class RunCommand : public ::testing::Test {
 protected:
  void SetUp() override { transport.ports = {{"COM1", PortKind::Serial, ""}}; }

  int run(std::vector<std::string> args) {
    args.insert(args.begin(), dir.path().string());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    return runRunCommand(static_cast<int>(argv.size()), argv.data(), transport, op);
  }
  bool jobFilesGone() const {
    return !std::filesystem::exists(dir.file("QuillonPro1.tmp")) &&
           !std::filesystem::exists(dir.file("QuillonPro2.tmp")) &&
           !std::filesystem::exists(dir.file("QuillonPro3.tmp"));
  }

  TempDir dir;
  FakeTransport transport;
  RecordingOperator op;
};

TEST_F(RunCommand, SendsTheJobWithTheSavedSettingsAndCleansUp) {
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  EXPECT_EQ(run({}), 0);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].port.name, "COM1");
  EXPECT_EQ(transport.sends[0].options.baud, 38400u);
  EXPECT_EQ(transport.sends[0].bytes, kDbStreamDmpl);
  EXPECT_TRUE(jobFilesGone());
  // The settings are saved as the dialog saves them at Output.
  const std::string config = readFile(dir.file("Config.ini"));
  EXPECT_NE(config.find("PORTNAME=COM1"), std::string::npos) << config;
  EXPECT_NE(config.find("MACHINE=RQ-2400"), std::string::npos) << config;
}

TEST_F(RunCommand, OptionsOverrideAndAreSaved) {
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  writeFile(dir.file("Config.ini"), "[ENABLE]\r\nANGLE=1\r\n");
  EXPECT_EQ(run({"--machine", "TVM-1200", "--angle", "off", "--closed", "1", "--baud", "9600"}), 0);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].bytes, kDbStreamClosedHpgl);
  EXPECT_EQ(transport.sends[0].options.baud, 9600u);
  const std::string config = readFile(dir.file("Config.ini"));
  EXPECT_NE(config.find("MACHINE=TVM-1200"), std::string::npos) << config;
  EXPECT_NE(config.find("CLOSED=1\r\n"), std::string::npos) << config;
}

TEST_F(RunCommand, OrderOptionSendsTheCutOrderAndIsSaved) {
  writeFile(dir.file("QuillonPro1.tmp"), testing::kLetterOJob);
  EXPECT_EQ(run({"--machine", "TVM-1200", "--order"}), 0);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].bytes, testing::kLetterOOrderedHpgl);
  EXPECT_NE(readFile(dir.file("Config.ini")).find("ORDER=1\r\n"), std::string::npos);
}

TEST_F(RunCommand, ASavedDevicePathIsThePortEvenWhenNotListed) {
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  writeFile(dir.file("Config.ini"), "[OUTPUT]\r\nPORTNAME=/dev/pts/77\r\n");
  EXPECT_EQ(run({}), 0);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].port.name, "/dev/pts/77");
  EXPECT_EQ(transport.sends[0].port.kind, PortKind::Serial);
}

TEST_F(RunCommand, AsksBeforeCuttingAFrameJob) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    transport.sends.clear();
    op.answers = {ok};
    writeFile(dir.file("QuillonPro1.tmp"), kTbJob);
    EXPECT_EQ(run({"--machine", "PLN-600"}), ok ? 0 : 3);
    ASSERT_EQ(transport.sends.size(), 2u);
    EXPECT_EQ(transport.sends[0].bytes, kTbFrameCommand);
    EXPECT_EQ(transport.sends[1].bytes, ok ? kTbStreamHpgl : "TB24;");
    EXPECT_TRUE(jobFilesGone());
  }
}

TEST_F(RunCommand, KeepsTheJobWhenItCouldNotBeSent) {
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  transport.failSends = true;
  EXPECT_EQ(run({}), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.file("QuillonPro1.tmp")));

  std::filesystem::remove(dir.file("QuillonPro1.tmp"));
  op.messages.clear();
  EXPECT_EQ(run({}), 1);
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_NE(op.messages[0].second.find("QuillonPro1.tmp"), std::string::npos);
}

TEST_F(RunCommand, ADeclinedCutWhoseTB24WasNotSentIsAFailure) {
  writeFile(dir.file("QuillonPro1.tmp"), kTbJob);
  transport.failSends = true;
  op.answers = {false};
  EXPECT_EQ(run({}), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.file("QuillonPro1.tmp")));
}

TEST_F(RunCommand, RefusesBadOptions) {
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--angle", "big"},
                                               {"--closed"},
                                               {"--baud", "x"},
                                               {"--what"},
                                               {"second-dir"}}) {
    EXPECT_EQ(run(args), 2);
  }
  EXPECT_TRUE(transport.sends.empty());
}

TEST(RunCommandOnALine, TheStreamArrivesAtTheFarEnd) {
  test::PtyPair line;
  ASSERT_TRUE(line.ok());
  TempDir dir;
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  RecordingOperator op;
  const auto transport = makeSystemTransport();
  line.startReading(std::string(kDbStreamHpgl).size(), std::chrono::milliseconds(2000));
  std::vector<std::string> args{dir.path().string(), "--port", line.name(), "--machine",
                                "TVM-1200"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  EXPECT_EQ(runRunCommand(static_cast<int>(argv.size()), argv.data(), *transport, op), 0)
      << (op.messages.empty() ? "" : op.messages[0].second);
  EXPECT_EQ(line.finish(), kDbStreamHpgl);
}

TEST(RunCommandOnALine, NothingReachesTheLineWhenAnEarlierIntermediateCannotBeReplaced) {
  test::PtyPair line;
  ASSERT_TRUE(line.ok());
  TempDir dir;
  writeFile(dir.file("QuillonPro1.tmp"), kDbJob);
  writeFile(dir.file("QuillonPro2.tmp"), "IN;PA;PU0,0;PD4000,0;PD4000,4000;PU0,0;!PG;");
  const LockedFile earlier(dir.file("QuillonPro2.tmp"));
  if (!earlier.locked()) GTEST_SKIP() << "chattr +i needs root";
  const std::string out = dir.file("stdout.txt");
  const std::string command = std::string(CORVANE_OUT_PATH) + " run " + dir.path().string() +
                              " --port " + line.name() + " --angle 1 >" + out +
                              " 2>/dev/null </dev/null";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
  line.startReading(1, std::chrono::milliseconds(300));
  EXPECT_EQ(line.finish(), "");
  EXPECT_EQ(readFile(out), "");
}

}  // namespace
}  // namespace corvane

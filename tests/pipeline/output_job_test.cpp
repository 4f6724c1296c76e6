#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "output/pipeline/output_job.h"
#include "support/fake_transport.h"
#include "support/locked_file.h"
#include "support/recording_operator.h"
#include "support/sample_jobs.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

using testing::FakeTransport;
using testing::kDbJob;
using testing::kDbStreamAngleHpgl;
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

const PortEntry kCom1{"COM1", PortKind::Serial, ""};
const PortEntry kUsb1{"USB001", PortKind::UsbQueue, ""};

class OutputJobTest : public ::testing::Test {
 protected:
  OutputChoices choices(const PortEntry& port, const std::string& machine = "TVM-1200") {
    OutputChoices c;
    c.port = port;
    c.baudText = "38400";
    c.machine = machine;
    c.angleText = "1.00";
    c.closedText = "1.00";
    return c;
  }

  // Prepares a job as the program does at its start.
  std::unique_ptr<OutputJob> start(const std::string& jobText) {
    writeFile(files.job().string(), jobText);
    auto job = std::make_unique<OutputJob>(files, transport, op, texts);
    job->prepareJob();
    return job;
  }

  TempDir dir;
  JobFiles files{dir.path()};
  FakeTransport transport;
  RecordingOperator op;
  EnglishTexts texts;
};

TEST_F(OutputJobTest, DbJobOnAComPortSendsTheStreamOnTheWorker) {
  auto job = start(kDbJob);
  EXPECT_EQ(job->runJob(choices(kCom1)), SendOutcome::Started);
  EXPECT_EQ(job->waitForSend(), SendOutcome::Sent);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].port.name, "COM1");
  EXPECT_EQ(transport.sends[0].bytes, kDbStreamHpgl);
  EXPECT_EQ(transport.sends[0].options.baud, 38400u);
  EXPECT_TRUE(op.messages.empty());
  EXPECT_TRUE(op.questions.empty());
}

TEST_F(OutputJobTest, CutOrderReordersOnlyTheStreamOfItsPress) {
  auto job = start(testing::kLetterOJob);
  OutputChoices ordered = choices(kUsb1);
  ordered.orderEnabled = true;
  ASSERT_EQ(job->runJob(ordered), SendOutcome::Sent);
  ASSERT_TRUE(job->lastCutOrder().has_value());
  EXPECT_EQ(job->lastCutOrder()->placeInCut, (std::vector<std::size_t>{1, 0}));
  ASSERT_EQ(job->runJob(choices(kUsb1)), SendOutcome::Sent);
  EXPECT_FALSE(job->lastCutOrder().has_value());
  ASSERT_EQ(transport.sends.size(), 2u);
  EXPECT_EQ(transport.sends[0].bytes, testing::kLetterOOrderedHpgl);
  EXPECT_EQ(transport.sends[1].bytes, testing::kLetterOPlainHpgl);
  EXPECT_EQ(readFile(files.plain().string()), testing::kLetterOPlainHpgl);
}

TEST_F(OutputJobTest, CutOrderGivesTheSameOrderOnTheCornerRoad) {
  // The corner road reads the intermediate file, axes exchanged: the paths
  // must still come in the order and from the starts of the plain road.
  auto job = start(testing::kLetterOJob);
  OutputChoices ordered = choices(kUsb1);
  ordered.orderEnabled = true;
  ordered.closedEnabled = true;
  ASSERT_EQ(job->runJob(ordered), SendOutcome::Sent);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].bytes,
            "IN;PA;PU0,0;PU160,700;PD300,700;PD300,800;PD200,800;PD200,700;"
            "PU60,500;PD500,500;PD500,900;PD100,900;PD100,500;PU0,0;!PG;");
}

TEST_F(OutputJobTest, MachineChoosesTheDialect) {
  struct Case {
    const char* machine;
    const char* stream;
  };
  const Case cases[] = {
      {"RQ-2400", kDbStreamDmpl}, {"PLN-600", kDbStreamHpgl}, {"TVM-2400S", kDbStreamHpgl}};
  auto job = start(kDbJob);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.machine);
    transport.sends.clear();
    EXPECT_EQ(job->runJob(choices(kUsb1, c.machine)), SendOutcome::Sent);
    ASSERT_EQ(transport.sends.size(), 1u);
    EXPECT_EQ(transport.sends[0].bytes, c.stream);
  }
}

TEST_F(OutputJobTest, TbJobSendsTheFrameAsksThenCutsOrCancels) {
  // A mark frame 140 mm wide and 90 mm high, mirrored onto (5200, 5200).
  const std::string tbJob = kTbJob;
  const std::string stream = kTbStreamHpgl;
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    transport.sends.clear();
    op.questions.clear();
    op.answers = {ok};
    auto job = start(tbJob);
    for (const PortEntry& port : {kCom1, kUsb1}) {
      SCOPED_TRACE(port.name);
      transport.sends.clear();
      op.answers = {ok};
      const SendOutcome outcome = job->runJob(choices(port));
      job->waitForSend();
      ASSERT_EQ(transport.sends.size(), 2u);
      EXPECT_EQ(transport.sends[0].bytes, kTbFrameCommand);
      // Document names are for spooled jobs; the serial line has none.
      const std::string commandDocument = isUsb(port.kind) ? "Output_CMD" : "";
      EXPECT_EQ(transport.sends[0].options.documentName, commandDocument);
      if (ok) {
        EXPECT_NE(outcome, SendOutcome::Cancelled);
        EXPECT_EQ(transport.sends[1].bytes, stream);
        EXPECT_EQ(transport.sends[1].options.documentName, isUsb(port.kind) ? "Output_Job" : "");
      } else {
        EXPECT_EQ(outcome, SendOutcome::Cancelled);
        EXPECT_EQ(transport.sends[1].bytes, "TB24;");
        EXPECT_EQ(transport.sends[1].options.documentName, commandDocument);
        EXPECT_EQ(readFile(files.stream().string()), stream);  // kept for another press
      }
    }
    EXPECT_EQ(op.questions, std::vector<std::string>(2, texts.text(TextId::ContinueCut)));
  }
}

TEST_F(OutputJobTest, AJobWithBothCommandsIsAFrameJob) {
  op.answers = {true};
  auto job = start("DB0,0,1000,0;TB10,20,1000,0;PU100,200;PD300,200;");
  job->runJob(choices(kUsb1));
  ASSERT_EQ(transport.sends.size(), 2u);
  EXPECT_EQ(transport.sends[0].bytes, "TB25,20,10;");
}

TEST_F(OutputJobTest, CornerOptionsBuildFromTheIntermediateFile) {
  auto job = start(kDbJob);
  OutputChoices c = choices(kUsb1);
  c.closedEnabled = true;
  c.closedText = "1.00";
  c.angleText = "-5";  // not enabled: its value does not matter
  ASSERT_EQ(job->runJob(c), SendOutcome::Sent);
  EXPECT_EQ(transport.sends.at(0).bytes, kDbStreamClosedHpgl);
}

TEST_F(OutputJobTest, NothingStaleIsEverSent) {
  struct Case {
    const char* why;
    const char* jobText;
    bool angle;
    std::string angleText;
    std::string message;
  };
  const Case cases[] = {
      {"no job command", "PU1,1;PD2,2;", false, "1",
       "This function is used for TB command! Please Check!"},
      {"corner distances zero", kDbJob, true, "0.00", "尖角闭合参数设置有误"},
      {"negative corner distance", kDbJob, true, "-2", "尖角闭合参数设置有误"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    transport.sends.clear();
    auto job = start(c.jobText);
    op.messages.clear();
    writeFile(files.stream().string(), "IN;PA;PU0,0;PD9,9;PU0,0;!PG;");  // an earlier press's
    OutputChoices o = choices(kCom1);
    o.angleEnabled = c.angle;
    o.angleText = c.angleText;
    EXPECT_EQ(job->runJob(o), SendOutcome::NotSent);
    job->waitForSend();
    EXPECT_TRUE(transport.sends.empty());
    EXPECT_FALSE(std::filesystem::exists(files.stream()));
    ASSERT_FALSE(op.messages.empty());
    EXPECT_EQ(op.messages.back().second, c.message);
  }
}

TEST_F(OutputJobTest, AnEarlierIntermediateThatCannotBeReplacedIsNeverCut) {
  OutputChoices sharpCorners = choices(kCom1);
  sharpCorners.angleEnabled = true;
  writeFile(files.plain().string(), "IN;PA;PU0,0;PD4000,0;PD4000,4000;PU0,0;!PG;");
  {
    LockedFile earlier(files.plain());
    if (!earlier.locked()) GTEST_SKIP() << "no file can be locked here (Linux needs root)";
    auto job = start(kDbJob);
    for (const int press : {1, 2}) {
      SCOPED_TRACE(press);
      op.messages.clear();
      EXPECT_EQ(job->runJob(sharpCorners), SendOutcome::NotSent);
      EXPECT_TRUE(transport.sends.empty());
      ASSERT_EQ(op.messages.size(), 1u);
      EXPECT_NE(op.messages[0].second.find("Cannot replace the file " + files.plain().string()),
                std::string::npos)
          << op.messages[0].second;
    }
  }
  auto job = start(kDbJob);
  EXPECT_EQ(job->runJob(sharpCorners), SendOutcome::Started);
  EXPECT_EQ(job->waitForSend(), SendOutcome::Sent);
  ASSERT_EQ(transport.sends.size(), 1u);
  EXPECT_EQ(transport.sends[0].bytes, kDbStreamAngleHpgl);
}

TEST_F(OutputJobTest, NoValidPortSaysSoAndSendsNothing) {
  auto job = start(kDbJob);
  OutputChoices c = choices(kCom1);
  c.port.reset();
  EXPECT_EQ(job->runJob(c), SendOutcome::NotSent);
  EXPECT_EQ(op.texts(), std::vector<std::string>{texts.text(TextId::PortNotValid)});
  EXPECT_TRUE(transport.sends.empty());
}

TEST_F(OutputJobTest, FailedSendIsReportedAsFailed) {
  auto job = start(kDbJob);
  transport.failSends = true;
  EXPECT_EQ(job->runJob(choices(kUsb1)), SendOutcome::Failed);
  EXPECT_EQ(job->runJob(choices(kCom1)), SendOutcome::Started);
  EXPECT_EQ(job->waitForSend(), SendOutcome::Failed);
}

TEST_F(OutputJobTest, ClosingRemovesTheJobFilesEvenWithoutOutput) {
  auto job = start(kDbJob);
  ASSERT_TRUE(std::filesystem::exists(files.plain()));
  job->removeTemporaryFiles();
  EXPECT_FALSE(std::filesystem::exists(files.job()));
  EXPECT_FALSE(std::filesystem::exists(files.plain()));
  EXPECT_FALSE(std::filesystem::exists(files.stream()));
}

TEST_F(OutputJobTest, StopEndsASendTheCutterHoldsAndTellsHowFarItGot) {
  transport.serialStallAfter = 70000;
  auto job = start(testing::longDbJob(8000));
  ASSERT_EQ(job->runJob(choices(kCom1)), SendOutcome::Started);
  transport.serialStalled.get_future().wait();
  EXPECT_EQ(job->sendProgress().sent, 65535u);
  EXPECT_EQ(job->stopSend(), StopResult::Stopped);
  EXPECT_FALSE(job->sending());
  const std::string stream = readFile(files.stream().string());
  EXPECT_EQ(transport.sends.at(0).bytes, stream.substr(0, 70000));
  EXPECT_EQ(op.texts(), std::vector<std::string>{"Sending to COM1 stopped after 70000 of " +
                                                 std::to_string(stream.size()) +
                                                 " bytes: stopped by the operator"});
}

TEST_F(OutputJobTest, AWriteThePortCannotInterruptLetsTheOperatorEndTheProgram) {
  std::promise<void> started;
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  transport.beforeSerialWrite = [&] {
    started.set_value();
    released.wait();  // deaf to the stop, as a write Wine cannot cancel
  };
  auto job = start(kDbJob);
  job->setStopPatience(std::chrono::milliseconds(20));
  ASSERT_EQ(job->runJob(choices(kCom1)), SendOutcome::Started);
  started.get_future().wait();

  op.answers = {true, true};  // stop the cut; then end the program
  EXPECT_EQ(job->closeRequested(), CloseStep::EndProgram);
  const SendProgressView progress{"COM1", 0, std::string(kDbStreamHpgl).size(), true};
  EXPECT_EQ(op.questions,
            (std::vector<std::string>{fillProgress(texts.text(TextId::StopOnClose), progress),
                                      fillProgress(texts.text(TextId::CannotStop), progress)}));
  job->removeTemporaryFilesNow();
  EXPECT_FALSE(std::filesystem::exists(files.stream()));
  release.set_value();
}

TEST_F(OutputJobTest, ClosingDuringASendAsksAndGoingOnSendsAllBeforeTheFilesGo) {
  std::promise<void> started;
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  transport.beforeSerialWrite = [&] {
    started.set_value();
    released.wait();
  };
  auto job = start(kDbJob);
  ASSERT_EQ(job->runJob(choices(kCom1)), SendOutcome::Started);
  started.get_future().wait();

  EXPECT_EQ(job->runJob(choices(kCom1, "RQ-2400")), SendOutcome::NotSent);
  EXPECT_EQ(op.texts(), std::vector<std::string>{"The cutter is still receiving the last job. "
                                                 "Press Output again when it has finished."});
  op.answers = {false};  // go on
  EXPECT_EQ(job->closeRequested(), CloseStep::WaitForSend);
  ASSERT_EQ(op.questions.size(), 1u);
  EXPECT_EQ(op.questions[0].rfind("The cutter on COM1 is still receiving the job (0 of ", 0), 0u)
      << op.questions[0];

  std::thread closing([&] { job->removeTemporaryFiles(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(std::filesystem::exists(files.stream()));
  release.set_value();
  closing.join();
  EXPECT_EQ(transport.sends.at(0).bytes, kDbStreamHpgl);
  EXPECT_FALSE(std::filesystem::exists(files.stream()));
}

}  // namespace
}  // namespace corvane

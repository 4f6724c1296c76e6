#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "output/cli/port_commands.h"
#include "tests/support/fake_transport.h"
#include "tests/support/recording_operator.h"
#include "tests/support/temp_dir.h"
#include "tests/transport/pattern_bytes.h"
#include "tests/transport/pty_pair.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;
using testing::FakeTransport;

int runSend(std::vector<std::string> args, Transport& transport, Operator& op,
            std::FILE* progress = nullptr) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  return runSendCommand(static_cast<int>(argv.size()), argv.data(), transport, op, progress);
}

TEST(SendCommand, ChoosesTheRoadByThePortsKind) {
  TempDir dir;
  const std::string path = dir.write("job.hpgl", "IN;PU0,0;");
  const struct {
    std::string port;
    PortKind kind;
  } cases[] = {
      {"/dev/ttyUSB0", PortKind::Serial}, {"/dev/usb/lp0", PortKind::UsbDevice},
      {"cutter", PortKind::Serial},  // listed as a serial line
      {"office", PortKind::UsbQueue},     {"any-queue", PortKind::UsbQueue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    FakeTransport transport;
    transport.ports = {{"cutter", PortKind::Serial, ""}, {"office", PortKind::UsbQueue, ""}};
    RecordingOperator op;
    EXPECT_EQ(runSend({path, "--port", c.port, "--baud", "152000"}, transport, op), 0);
    ASSERT_EQ(transport.sends.size(), 1u);
    EXPECT_EQ(transport.sends[0].port.name, c.port);
    EXPECT_EQ(transport.sends[0].port.kind, c.kind);
    EXPECT_EQ(transport.sends[0].options.baud, 152000u);
    EXPECT_EQ(transport.sends[0].options.documentName, "Output_Job");
    EXPECT_EQ(transport.sends[0].bytes, "IN;PU0,0;");
  }
}

TEST(SendCommand, ExitsNonZeroUnlessEveryByteWasSent) {
  TempDir dir;
  const std::string path = dir.write("job.hpgl", "IN;");
  const struct {
    const char* what;
    std::vector<std::string> args;
    bool failSends;
    int status;
  } cases[] = {
      {"sent", {path, "--port", "/dev/ttyS0"}, false, 0},
      {"send failed", {path, "--port", "/dev/ttyS0"}, true, 1},
      {"unreadable file", {path + ".absent", "--port", "/dev/ttyS0"}, false, 1},
      {"no port", {path}, false, 2},
      {"no file", {"--port", "/dev/ttyS0"}, false, 2},
      {"baud not a number", {path, "--port", "/dev/ttyS0", "--baud", "fast"}, false, 2},
      {"unknown option", {path, "--port", "/dev/ttyS0", "--parity", "even"}, false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeTransport transport;
    transport.failSends = c.failSends;
    RecordingOperator op;
    EXPECT_EQ(runSend(c.args, transport, op), c.status);
  }
}

TEST(SendCommand, ReachesTheFarEndOfARealLineWithProgress) {
  TempDir dir;
  const std::string bytes = test::patternBytes(140000);
  const std::string path = dir.write("job.hpgl", bytes);
  test::PtyPair pty;
  ASSERT_TRUE(pty.ok());
  const auto transport = makeSystemTransport();
  RecordingOperator op;
  char* progressText = nullptr;
  std::size_t progressSize = 0;
  std::FILE* progress = open_memstream(&progressText, &progressSize);
  pty.startReading(bytes.size(), 5000ms);
  EXPECT_EQ(runSend({path, "--port", pty.name(), "--baud", "38400"}, *transport, op, progress), 0);
  EXPECT_TRUE(pty.finish() == bytes);
  std::fclose(progress);
  const std::string shown(progressText, progressSize);
  std::free(progressText);
  EXPECT_NE(shown.find("65535 of 140000 bytes sent"), std::string::npos) << shown;
  EXPECT_NE(shown.find("140000 of 140000 bytes sent\n"), std::string::npos) << shown;
}

TEST(SendCommand, CtrlCStopsALineThatTakesNothingAndTellsHowFarItGot) {
  TempDir dir;
  const std::string path = dir.write("job.hpgl", test::patternBytes(140000));
  test::PtyPair pty;  // nobody reads: the line fills up and the write waits
  ASSERT_TRUE(pty.ok());
  const auto transport = makeSystemTransport();
  RecordingOperator op;
  std::thread operatorAtTheKeyboard([] {
    std::this_thread::sleep_for(200ms);
    kill(getpid(), SIGINT);
  });
  EXPECT_EQ(runSend({path, "--port", pty.name()}, *transport, op), 1);
  operatorAtTheKeyboard.join();
  ASSERT_FALSE(op.texts().empty());
  EXPECT_TRUE(op.texts()[0].ends_with(" of 140000 bytes: stopped by the operator"))
      << op.texts()[0];
}

TEST(PortsCommand, PrintsOneLinePerPortWithItsKind) {
  FakeTransport transport;
  transport.ports = {{"/dev/ttyUSB0", PortKind::Serial, "FTDI FT232R USB UART"},
                     {"cutter", PortKind::UsbQueue, ""},
                     {"/dev/usb/lp0", PortKind::UsbDevice, "Acme SignCut 60"}};
  RecordingOperator op;
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  EXPECT_EQ(runPortsCommand(transport, op, out), 0);
  std::fclose(out);
  EXPECT_EQ(std::string(text, size),
            "/dev/ttyUSB0\tserial\tFTDI FT232R USB UART\n"
            "cutter\tusb-queue\t\n"
            "/dev/usb/lp0\tusb-device\tAcme SignCut 60\n");
  std::free(text);
}

}  // namespace
}  // namespace corvane

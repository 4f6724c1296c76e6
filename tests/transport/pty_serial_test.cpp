// The serial road against a real pseudo-terminal: the bytes that come out
// at the far end, the chunks they went out in, the line left behind.
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "output/transport/line_speed_linux.h"
#include "output/transport/posix_serial.h"
#include "output/transport/serial_send.h"
#include "tests/transport/pty_pair.h"
#include "tests/transport/observed_serial.h"
#include "tests/support/recording_operator.h"
#include "tests/support/temp_dir.h"
#include "tests/transport/pattern_bytes.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;
using test::PtyPair;

using ObservedSerialSystem = test::ObservedSerialSystem<PosixSerialSystem>;

TEST(PtySerial, StopInterruptsAWriteTheLineHoldsBack) {
  PtyPair pty;  // nobody reads: the line fills up and the write waits
  ASSERT_TRUE(pty.ok());
  TempDir dir;
  const std::string path = dir.write("stream.bin", test::patternBytes(200000));
  PosixSerialSystem serial;
  RecordingOperator op;
  SendStop stop;
  std::thread stopper([&] {
    std::this_thread::sleep_for(200ms);
    stop.request();
  });
  EXPECT_FALSE(sendFileSerial(serial, pty.name(), path, 9600, op, {}, &stop));
  stopper.join();
  ASSERT_EQ(op.texts().size(), 1u);
  const std::string report = op.texts()[0];
  EXPECT_EQ(report.rfind("Sending to " + pty.name() + " stopped after ", 0), 0u) << report;
  EXPECT_TRUE(report.ends_with(" of 200000 bytes: stopped by the operator")) << report;
}

TEST(PtySerial, FarEndReceivesTheFileByteForByte) {
  const struct {
    std::size_t size;
    std::vector<std::size_t> writes;
  } cases[] = {
      {0, {0}},
      {1, {1}},
      {65534, {65534}},
      {65535, {65535, 0}},
      {65536, {65535, 1}},
      {200000, {65535, 65535, 65535, 3395}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const std::string bytes = test::patternBytes(c.size);
    const std::string path = dir.write("stream.bin", bytes);
    ObservedSerialSystem serial;
    RecordingOperator op;
    pty.startReading(c.size, c.size == 0 ? 200ms : 5000ms);
    EXPECT_TRUE(sendFileSerial(serial, pty.name(), path, 38400, op));
    const std::string& received = pty.finish();
    EXPECT_EQ(serial.writes, c.writes);
    EXPECT_EQ(received.size(), bytes.size());
    EXPECT_TRUE(received == bytes) << "bytes changed on the way";
    EXPECT_TRUE(op.texts().empty());
  }
}

TEST(PtySerial, SendLeavesTheLineAtTheChosenSpeedWith8N1AndCtsFlow) {
  for (const std::uint32_t baud : {9600u, 38400u, 56000u, 57600u, 152000u}) {
    SCOPED_TRACE(baud);
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    PosixSerialSystem serial;
    RecordingOperator op;
    pty.startReading(5, 5000ms);
    ASSERT_TRUE(sendTextSerial(serial, pty.name(), "TB24;", baud, op));
    EXPECT_EQ(pty.finish(), "TB24;");

    termios line{};
    ASSERT_EQ(tcgetattr(pty.nearEnd(), &line), 0);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & PARENB, 0u);
    EXPECT_EQ(line.c_cflag & CSTOPB, 0u);
    EXPECT_NE(line.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u) << "line ends would be translated";
    EXPECT_EQ(line.c_iflag & IXON, 0u) << "XON/XOFF would be taken from the data";
    EXPECT_EQ(lineSpeed(pty.nearEnd()), baud);
  }
}

TEST(PtySerial, PortHeldOrMissingGivesOpenCommFailed) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  PosixSerialSystem serial;
  SystemError error;
  // Another sender, as when the operator presses Output twice quickly.
  const auto first = serial.open(pty.name(), error);
  ASSERT_NE(first, nullptr) << describe(error);

  const struct {
    const char* what;
    std::string port;
  } cases[] = {
      {"held", pty.name()},
      {"missing", "/dev/ttyCorvaneAbsent"},
      {"no name", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingOperator op;
    EXPECT_FALSE(sendTextSerial(serial, c.port, "TB24;", 9600, op));
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Open Comm Failed!"});
  }
}

TEST(PtySerial, PortHeldByAnotherProcessGivesOpenCommFailed) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  int ready[2];
  int done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    PosixSerialSystem own;
    SystemError error;
    const auto held = own.open(pty.name(), error);
    char byte = held ? '1' : '0';
    (void)!write(ready[1], &byte, 1);
    (void)!read(done[0], &byte, 1);  // hold the port until the parent is done
    _exit(0);
  }
  char held = 0;
  ASSERT_EQ(read(ready[0], &held, 1), 1);
  EXPECT_EQ(held, '1');

  PosixSerialSystem serial;
  RecordingOperator op;
  EXPECT_FALSE(sendTextSerial(serial, pty.name(), "TB24;", 9600, op));
  EXPECT_EQ(op.texts(), std::vector<std::string>{"Open Comm Failed!"});

  (void)!write(done[1], "x", 1);
  int status = 0;
  waitpid(holder, &status, 0);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST(PtySerial, PortIsFreeAgainAfterEverySend) {
  TempDir dir;
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  PosixSerialSystem serial;
  RecordingOperator op;
  EXPECT_FALSE(sendFileSerial(serial, pty.name(), (dir.path() / "absent").string(), 9600, op));
  pty.startReading(10, 5000ms);
  EXPECT_TRUE(sendTextSerial(serial, pty.name(), "TB25,1,2;", 9600, op));
  EXPECT_TRUE(sendTextSerial(serial, pty.name(), "T", 9600, op));
  EXPECT_EQ(pty.finish(), "TB25,1,2;T");
  SystemError error;
  EXPECT_NE(serial.open(pty.name(), error), nullptr) << describe(error);
}

}  // namespace
}  // namespace corvane

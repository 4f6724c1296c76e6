#include "output/transport/serial_send.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <vector>

#include "output/transport/serial_worker.h"
#include "tests/support/recording_operator.h"
#include "tests/support/temp_dir.h"
#include "tests/transport/pattern_bytes.h"
#include "tests/transport/recording_serial.h"

namespace corvane {
namespace {

using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;
using test::RecordingSerialSystem;

TEST(SerialSend, FileGoesOutInChunksOneByteShortOf64KiB) {
  const struct {
    std::size_t size;
    std::vector<std::size_t> writes;
  } cases[] = {
      {0, {0}},
      {1, {1}},
      {65534, {65534}},
      {65535, {65535, 0}},
      {65536, {65535, 1}},
      {131070, {65535, 65535, 0}},
      {200000, {65535, 65535, 65535, 3395}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string bytes = test::patternBytes(c.size);
    const std::string path = dir.write("stream.bin", bytes);
    RecordingSerialSystem serial;
    RecordingOperator op;
    std::vector<std::size_t> progress;
    EXPECT_TRUE(sendFileSerial(serial, "COM5", path, 38400, op,
                               [&](std::size_t sent, std::size_t) { progress.push_back(sent); }));
    EXPECT_EQ(serial.record.writes, c.writes);
    EXPECT_EQ(serial.record.bytes, bytes);
    EXPECT_EQ(progress.back(), c.size);
    EXPECT_TRUE(op.texts().empty());
    EXPECT_EQ(serial.record.openConnections, 0);
  }
}

TEST(SerialSend, ProgressIsToldAfterEveryChunk) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", test::patternBytes(200000));
  RecordingSerialSystem serial;
  RecordingOperator op;
  std::vector<std::size_t> progress;
  ASSERT_TRUE(
      sendFileSerial(serial, "COM5", path, 9600, op, [&](std::size_t sent, std::size_t total) {
        EXPECT_EQ(total, 200000u);
        progress.push_back(sent);
      }));
  EXPECT_EQ(progress, (std::vector<std::size_t>{65535, 131070, 196605, 200000}));
}

TEST(SerialSend, StopWhileTheCutterHoldsTheSecondChunkEndsTheSend) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", test::patternBytes(200000));
  RecordingSerialSystem serial;
  serial.stallAfterBytes = 70000;
  RecordingOperator op;
  SendStop stop;
  auto sending = std::async(std::launch::async, [&] {
    return sendFileSerial(serial, "COM2", path, 9600, op, {}, &stop);
  });
  serial.stalled.get_future().wait();
  stop.request();
  EXPECT_FALSE(sending.get());
  EXPECT_EQ(serial.record.writes, (std::vector<std::size_t>{65535, 65535}));
  EXPECT_EQ(serial.record.bytes.size(), 70000u);
  EXPECT_EQ(op.texts(), std::vector<std::string>{"Sending to COM2 stopped after 70000 of 200000 "
                                                 "bytes: stopped by the operator"});
  EXPECT_EQ(serial.record.openConnections, 0);
}

TEST(SerialSend, EverySendSetsTheSameLineWithTheOperatorsBaudRate) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", "PU0,0;");
  for (const std::uint32_t baud : {9600u, 56000u, 152000u}) {
    SCOPED_TRACE(baud);
    RecordingSerialSystem serial;
    RecordingOperator op;
    ASSERT_TRUE(sendTextSerial(serial, "COM1", "TB24;", baud, op));
    ASSERT_TRUE(sendFileSerial(serial, "COM1", path, baud, op));
    ASSERT_EQ(serial.record.lines.size(), 2u);
    for (const LineSettings& line : serial.record.lines) {
      EXPECT_EQ(line.baud, baud);
      EXPECT_EQ(line.dataBits, 8);
      EXPECT_FALSE(line.parity);
      EXPECT_EQ(line.stopBits, 1);
      EXPECT_TRUE(line.ctsOutputFlow);
      EXPECT_TRUE(line.rtsOn);
      EXPECT_EQ(line.inputQueueBytes, 1024u);
      EXPECT_EQ(line.outputQueueBytes, 1024u);
      EXPECT_TRUE(line.noTimeouts);
    }
  }
}

TEST(SerialSend, TextGoesOutInOneWriteWithoutItsTerminator) {
  RecordingSerialSystem serial;
  RecordingOperator op;
  EXPECT_TRUE(sendTextSerial(serial, "COM3", "TB25,3600,5600;", 9600, op));
  EXPECT_EQ(serial.record.opened, std::vector<std::string>{"COM3"});
  EXPECT_EQ(serial.record.writes, std::vector<std::size_t>{15});
  EXPECT_EQ(serial.record.bytes, "TB25,3600,5600;");
}

TEST(SerialSend, PortThatCannotBeOpenedSendsNothing) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", "PU0,0;");
  for (const char* port : {"COM9", ""}) {
    SCOPED_TRACE(port);
    RecordingSerialSystem serial;
    serial.missingPorts = {"COM9"};
    RecordingOperator op;
    EXPECT_FALSE(sendTextSerial(serial, port, "TB24;", 9600, op));
    EXPECT_FALSE(sendFileSerial(serial, port, path, 9600, op));
    EXPECT_EQ(op.texts(), (std::vector<std::string>{"Open Comm Failed!", "Open Comm Failed!"}));
    EXPECT_TRUE(serial.record.writes.empty());
  }
}

TEST(SerialSend, UnreadableStreamFileIsReportedAndThePortLeftAlone) {
  TempDir dir;
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"missing", (dir.path() / "absent.bin").string()},
      {"a directory", dir.path().string()},
      {"no name", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingSerialSystem serial;
    RecordingOperator op;
    EXPECT_FALSE(sendFileSerial(serial, "COM1", c.path, 9600, op));
    EXPECT_TRUE(serial.record.opened.empty());
    ASSERT_EQ(op.texts().size(), 1u);
    EXPECT_EQ(op.texts()[0].rfind("Stream file " + c.path + " not sent: ", 0), 0u) << op.texts()[0];
  }
}

TEST(SerialSend, WriteThatStopsShortIsReportedAndEndsTheSend) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", test::patternBytes(200000));
  RecordingSerialSystem serial;
  serial.failAfterBytes = 70000;
  RecordingOperator op;
  EXPECT_FALSE(sendFileSerial(serial, "COM2", path, 9600, op));
  EXPECT_EQ(serial.record.writes, (std::vector<std::size_t>{65535, 65535}));
  EXPECT_EQ(op.texts(),
            std::vector<std::string>{"Sending to COM2 stopped after 70000 of 200000 bytes: "
                                     "WriteFile: I/O device error (1117)"});
  EXPECT_EQ(serial.record.openConnections, 0);
}

TEST(SerialSend, WorkersFinishTheirSendsBeforeTheyAreDestroyedAndTellHowTheyEnded) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", test::patternBytes(150000));
  RecordingSerialSystem serial;
  RecordingOperator op;
  std::vector<bool> ends;
  const auto finished = [&](bool sent) { ends.push_back(sent); };
  {
    SerialSendWorkers workers;
    workers.start(serial, {path, "COM4", 9600, finished, {}, {}, nullptr}, op);
  }
  EXPECT_EQ(serial.record.bytes.size(), 150000u);
  EXPECT_EQ(serial.record.openConnections, 0);
  EXPECT_EQ(
      serialSendThread(
          serial, {dir.path().string() + "/absent", "COM4", 9600, finished, {}, {}, nullptr}, op),
      0);
  EXPECT_EQ(ends, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace corvane

#include "output/transport/usb_spooler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_operator.h"
#include "tests/support/temp_dir.h"
#include "tests/transport/pattern_bytes.h"
#include "tests/transport/scripted_spooler.h"

namespace corvane {
namespace {

using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;
using test::ScriptedSpooler;
using Log = std::vector<std::string>;

const Log kJob = {"StartDocPrinter", "StartPagePrinter", "WritePrinter 5",
                  "EndPagePrinter",  "EndDocPrinter",    "ClosePrinter"};

Log concat(Log a, const Log& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(UsbSpooler, FirstSendCreatesTheQueueWithTheFirstDriverThenPrints) {
  ScriptedSpooler spooler;
  spooler.drivers = std::vector<std::string>{"Cutter Raw", "Office Laser"};
  RecordingOperator op;
  EXPECT_TRUE(sendTextUsb(spooler, "USB001", "TB24;", "Output_CMD", op));
  EXPECT_EQ(spooler.log,
            concat({"OpenPrinter Printer for USB001", "EnumPrinterDrivers",
                    "AddPrinter Printer for USB001", "Sleep 100", "OpenPrinter Printer for USB001"},
                   kJob));
  ASSERT_EQ(spooler.added.size(), 1u);
  EXPECT_EQ(spooler.added[0].printerName, "Printer for USB001");
  EXPECT_EQ(spooler.added[0].portName, "USB001");
  EXPECT_EQ(spooler.added[0].driverName, "Cutter Raw");
  EXPECT_EQ(spooler.added[0].printProcessor, "WinPrint");
  EXPECT_EQ(spooler.added[0].dataType, "RAW");
  EXPECT_EQ(spooler.printed, "TB24;");
  EXPECT_TRUE(op.texts().empty());
}

TEST(UsbSpooler, LaterSendsUseTheExistingQueue) {
  ScriptedSpooler spooler;
  spooler.queues = {"Printer for USB002"};
  RecordingOperator op;
  EXPECT_TRUE(sendTextUsb(spooler, "USB002", "TB24;", "Output_CMD", op));
  EXPECT_EQ(spooler.log, concat({"OpenPrinter Printer for USB002"}, kJob));
  EXPECT_TRUE(spooler.added.empty());
}

TEST(UsbSpooler, JobsAreRawAndNamedByTheCaller) {
  TempDir dir;
  const std::string stream = test::patternBytes(200000);
  const std::string path = dir.write("stream.bin", stream);
  ScriptedSpooler spooler;
  spooler.queues = {"Printer for USB001"};
  RecordingOperator op;
  ASSERT_TRUE(sendTextUsb(spooler, "USB001", "TB25,3600,5600;", "Output_CMD", op));
  ASSERT_TRUE(sendFileUsb(spooler, "USB001", path, "Output_Job", op));
  ASSERT_EQ(spooler.documents.size(), 2u);
  EXPECT_EQ(spooler.documents[0].name, "Output_CMD");
  EXPECT_EQ(spooler.documents[1].name, "Output_Job");
  for (const DocumentRecord& document : spooler.documents) {
    EXPECT_EQ(document.dataType, "RAW");
    EXPECT_EQ(document.outputFile, "");
  }
  EXPECT_EQ(spooler.printed, "TB25,3600,5600;" + stream);
  // The whole file goes to the spooler in one write.
  EXPECT_NE(std::find(spooler.log.begin(), spooler.log.end(), "WritePrinter 200000"),
            spooler.log.end());
}

TEST(UsbSpooler, EmptyPortOrContentIsRefusedWithItsOwnMessage) {
  TempDir dir;
  const std::string path = dir.write("stream.bin", "PU;");
  const struct {
    const char* what;
    bool file;
    std::string port;
    std::string content;  // the text, or the file's path
    const char* message;
  } cases[] = {
      {"text without port", false, "", "TB24;", "Invalid USB Port"},
      {"empty text", false, "USB001", "", "No USB Command"},
      {"file without port", true, "", path, "无效的USB端口号"},
      {"file without name", true, "USB001", "", "无文件"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedSpooler spooler;
    RecordingOperator op;
    const bool sent = c.file ? sendFileUsb(spooler, c.port, c.content, "Output_Job", op)
                             : sendTextUsb(spooler, c.port, c.content, "Output_CMD", op);
    EXPECT_FALSE(sent);
    EXPECT_EQ(op.texts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(spooler.log.empty());
  }
}

TEST(UsbSpooler, QueueThatCannotBeMadeIsReported) {
  const struct {
    const char* what;
    std::optional<std::vector<std::string>> drivers;
    std::set<std::string> failing;
    std::vector<std::string> messages;
  } cases[] = {
      {"no driver installed",
       std::vector<std::string>{},
       {},
       {"No printer driver in this PC, please install a printer driver", "Add Printer Failed"}},
      {"driver list unreadable", std::nullopt, {}, {"Add Printer Failed"}},
      {"creation refused",
       std::vector<std::string>{"Generic"},
       {"AddPrinter"},
       {"Add printer error", "Cannot open the printer queue Printer for USB001"}},
      {"created but cannot be opened",
       std::vector<std::string>{"Generic"},
       {"OpenPrinter"},
       {"Cannot open the printer queue Printer for USB001"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedSpooler spooler;
    spooler.drivers = c.drivers;
    spooler.failing = c.failing;
    RecordingOperator op;
    EXPECT_FALSE(sendTextUsb(spooler, "USB001", "TB24;", "Output_CMD", op));
    EXPECT_EQ(op.texts(), c.messages);
    EXPECT_EQ(spooler.printed, "");
    EXPECT_EQ(spooler.openPrinters, 0);
  }
}

TEST(UsbSpooler, FailedJobStepIsReportedAndNothingHalfDoneIsPrinted) {
  const struct {
    const char* step;
    std::size_t writeLimit;
    const char* message;
    bool aborted;  // a started job is deleted rather than printed in part
  } cases[] = {
      {"StartDocPrinter", SIZE_MAX,
       "Printing to USB001 failed: StartDocPrinter: Access is denied. (5)", false},
      {"StartPagePrinter", SIZE_MAX,
       "Printing to USB001 failed: StartPagePrinter: Access is denied. (5)", true},
      {"WritePrinter", SIZE_MAX, "Printing to USB001 stopped after 0 of 5 bytes: WritePrinter (6)",
       true},
      {"", 3, "Printing to USB001 stopped after 3 of 5 bytes", true},
      {"EndPagePrinter", SIZE_MAX,
       "Printing to USB001 failed: EndPagePrinter: Access is denied. (5)", true},
      {"EndDocPrinter", SIZE_MAX, "Printing to USB001 failed: EndDocPrinter: Access is denied. (5)",
       true},
      {"ClosePrinter", SIZE_MAX, "Printing to USB001 failed: ClosePrinter: Access is denied. (5)",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    ScriptedSpooler spooler;
    spooler.queues = {"Printer for USB001"};
    spooler.failing = {c.step};
    spooler.writeLimit = c.writeLimit;
    RecordingOperator op;
    EXPECT_FALSE(sendTextUsb(spooler, "USB001", "TB24;", "Output_CMD", op));
    EXPECT_EQ(op.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(spooler.openPrinters, 0);
    EXPECT_EQ(spooler.log.back(), "ClosePrinter");
    const bool aborted =
        std::find(spooler.log.begin(), spooler.log.end(), "AbortPrinter") != spooler.log.end();
    EXPECT_EQ(aborted, c.aborted);
  }
}

TEST(UsbSpooler, UnreadableStreamFileStartsNoJob) {
  TempDir dir;
  ScriptedSpooler spooler;
  spooler.queues = {"Printer for USB001"};
  RecordingOperator op;
  const std::string path = (dir.path() / "absent.bin").string();
  EXPECT_FALSE(sendFileUsb(spooler, "USB001", path, "Output_Job", op));
  EXPECT_TRUE(spooler.log.empty());
  ASSERT_EQ(op.texts().size(), 1u);
  EXPECT_EQ(op.texts()[0].rfind("Stream file " + path + " not sent: cannot open", 0), 0u);
}

TEST(UsbSpooler, ListsOnlyPortsWhoseNameBeginsWithUsb) {
  ScriptedSpooler spooler;
  spooler.ports = std::vector<std::string>{"COM1:", "USB002", "LPT1:", "usb003", "USB001", "XUSB"};
  std::vector<std::string> ports;
  EXPECT_TRUE(listUsbPorts(spooler, ports));
  EXPECT_EQ(ports, (std::vector<std::string>{"USB002", "USB001"}));

  spooler.ports.reset();
  EXPECT_FALSE(listUsbPorts(spooler, ports));
}

}  // namespace
}  // namespace corvane

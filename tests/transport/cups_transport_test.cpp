// USB cutters behind CUPS, against the private server that
// with_cups_server.sh starts: jobs land in CORVANE_CUPS_JOBS.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "output/transport/transport.h"
#include "tests/support/recording_operator.h"
#include "tests/support/temp_dir.h"
#include "tests/transport/pattern_bytes.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;

const PortEntry kCaptureQueue{"corvane-capture", PortKind::UsbQueue, ""};

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PrintedJob {
  std::string title;
  std::string bytes;
};

class CupsTransport : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* jobs = std::getenv("CORVANE_CUPS_JOBS");
    if (jobs == nullptr) GTEST_SKIP() << "runs under with_cups_server.sh";
    jobs_ = jobs;
    for (const auto& entry : fs::directory_iterator(jobs_)) seen_.insert(entry.path());
  }

  // The next job the server hands to the device. Delivery runs after the
  // send returns, so this waits for it, within a bound.
  std::optional<PrintedJob> nextJob() {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline) {
      for (const auto& entry : fs::directory_iterator(jobs_)) {
        const fs::path path = entry.path();
        if (path.extension() != ".data" || path.filename().string()[0] == '.') continue;
        if (!seen_.insert(path).second) continue;
        fs::path title = path;
        title.replace_extension(".title");
        std::string name = fileText(title);
        if (!name.empty() && name.back() == '\n') name.pop_back();
        return PrintedJob{name, fileText(path)};
      }
      std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
  }

  std::unique_ptr<Transport> transport_ = makeSystemTransport();
  RecordingOperator op_;
  TempDir dir_;

 private:
  fs::path jobs_;
  std::set<fs::path> seen_;
};

TEST_F(CupsTransport, StreamFileArrivesByteIdenticalUnderItsTitle) {
  for (const std::size_t size : {std::size_t{1}, std::size_t{65536}, std::size_t{200000}}) {
    SCOPED_TRACE(size);
    const std::string bytes = test::patternBytes(size);
    const std::string path = dir_.write("stream.bin", bytes);
    std::size_t lastProgress = 0;
    SendOptions options;
    options.documentName = "Output_Job";
    options.progress = [&](std::size_t sent, std::size_t) { lastProgress = sent; };
    ASSERT_TRUE(transport_->sendFile(kCaptureQueue, path, options, op_));
    EXPECT_EQ(lastProgress, size);
    const auto job = nextJob();
    ASSERT_TRUE(job);
    EXPECT_EQ(job->title, "Output_Job");
    EXPECT_EQ(job->bytes.size(), size);
    EXPECT_TRUE(job->bytes == bytes) << "bytes changed on the way";
  }
  EXPECT_TRUE(op_.texts().empty());
}

TEST_F(CupsTransport, CommandTextArrivesAsItsOwnJob) {
  SendOptions options;
  options.documentName = "Output_CMD";
  ASSERT_TRUE(transport_->sendText(kCaptureQueue, "TB25,3600,5600;", options, op_));
  const auto job = nextJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->title, "Output_CMD");
  EXPECT_EQ(job->bytes, "TB25,3600,5600;");
}

TEST_F(CupsTransport, ListsOnlyQueuesWhoseDeviceIsUsb) {
  std::vector<PortEntry> queues;
  for (const PortEntry& port : transport_->listPorts(op_)) {
    if (port.kind == PortKind::UsbQueue) queues.push_back(port);
  }
  ASSERT_EQ(queues.size(), 1u);
  EXPECT_EQ(queues[0].name, "corvane-usb");
  EXPECT_EQ(queues[0].description, "Acme SignCut 60");
  EXPECT_TRUE(op_.texts().empty());
}

TEST_F(CupsTransport, RefusedSendsAreReportedAndPrintNothing) {
  const std::string stream = dir_.write("stream.bin", "PU0,0;");
  const std::string missingFile = (dir_.path() / "absent.bin").string();
  const PortEntry noQueue{"corvane-absent", PortKind::UsbQueue, ""};
  const PortEntry unnamed{"", PortKind::UsbQueue, ""};
  const struct {
    const char* what;
    const PortEntry& port;
    const char* text;  // null: send the file below
    std::string file;
    std::string messageStart;
  } cases[] = {
      {"unknown queue", noQueue, "TB24;", "", "Printing to corvane-absent failed: create the job"},
      {"text without port", unnamed, "TB24;", "", "Invalid USB Port"},
      {"empty text", kCaptureQueue, "", "", "No USB Command"},
      {"file without port", unnamed, nullptr, stream, "无效的USB端口号"},
      {"file without name", kCaptureQueue, nullptr, "", "无文件"},
      {"unreadable file", kCaptureQueue, nullptr, missingFile,
       "Stream file " + missingFile + " not sent: cannot open"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingOperator op;
    SendOptions options;
    options.documentName = "Output_CMD";
    const bool sent = c.text != nullptr ? transport_->sendText(c.port, c.text, options, op)
                                        : transport_->sendFile(c.port, c.file, options, op);
    EXPECT_FALSE(sent);
    ASSERT_EQ(op.texts().size(), 1u);
    EXPECT_EQ(op.texts()[0].rfind(c.messageStart, 0), 0u) << op.texts()[0];
  }
  // Nothing reached the device: the next job seen is this one.
  SendOptions options;
  options.documentName = "Output_CMD";
  ASSERT_TRUE(transport_->sendText(kCaptureQueue, "TB24;", options, op_));
  const auto job = nextJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->bytes, "TB24;");
}

}  // namespace
}  // namespace corvane

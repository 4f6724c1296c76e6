#include "support/fake_transport.h"

#include <chrono>
#include <thread>
#include <variant>

#include "common/path_text.h"
#include "output/transport/stream_file.h"

namespace corvane::testing {

namespace {

// One send per opening of the port: the line's baud rate and every byte.
class RecordedConnection final : public SerialConnection {
 public:
  RecordedConnection(FakeTransport& transport, std::size_t index)
      : transport_(transport), index_(index) {}
  void applyLine(const LineSettings& line) override {
    transport_.sends[index_].options.baud = line.baud;
  }
  WriteOutcome write(std::string_view bytes) override {
    if (transport_.beforeSerialWrite) transport_.beforeSerialWrite();
    transport_.sends[index_].bytes.append(bytes);
    return {bytes.size(), {}};
  }
  WriteOutcome writeUnlessStopped(std::string_view bytes, SendStop& stop) override {
    const std::size_t before = transport_.sends[index_].bytes.size();
    if (stop.requested()) return {0, {}, true};
    if (before + bytes.size() < transport_.serialStallAfter) return write(bytes);
    WriteOutcome outcome = write(bytes.substr(0, transport_.serialStallAfter - before));
    transport_.serialStalled.set_value();
    while (!stop.requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    outcome.stopped = true;
    return outcome;
  }

 private:
  FakeTransport& transport_;
  std::size_t index_;
};

}  // namespace

std::vector<PortEntry> FakeTransport::listPorts(Operator&) { return ports; }

bool FakeTransport::sendText(const PortEntry& port, std::string_view text,
                             const SendOptions& options, Operator& op) {
  sends.push_back({port, std::string(text), {}, options});
  if (failSends) op.tell(MessageKind::Stop, "Sending to " + port.name + " failed");
  return !failSends;
}

bool FakeTransport::sendFile(const PortEntry& port, const std::filesystem::path& path,
                             const SendOptions& options, Operator& op) {
  auto file = readStreamFile(path);
  if (const SystemError* error = std::get_if<SystemError>(&file)) {
    op.tell(MessageKind::Stop, "Stream file " + pathText(path) + " not sent: " + describe(*error));
    return false;
  }
  sends.push_back({port, std::get<std::string>(std::move(file)), pathText(path), options});
  if (failSends) op.tell(MessageKind::Stop, "Sending to " + port.name + " failed");
  return !failSends;
}

std::unique_ptr<SerialConnection> FakeTransport::open(const std::string& port, SystemError& error) {
  if (failSends) {
    error = {"open", 16, "Device or resource busy"};
    return nullptr;
  }
  sends.push_back({{port, PortKind::Serial, ""}, {}, {}, {}});
  return std::make_unique<RecordedConnection>(*this, sends.size() - 1);
}

}  // namespace corvane::testing

#pragma once

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "output/transport/transport.h"

namespace corvane::testing {

// A transport for pipeline tests: a fixed port list, and a record of every
// send in order. Sends fail, with a message, when told to. A serial send on
// the stream's worker goes through serialSystem(), whose port then fails to
// open as a real one would.
class FakeTransport final : public Transport, private SerialSystem {
 public:
  struct Send {
    PortEntry port;
    std::string bytes;     // the text, or the file's bytes as they were at the send
    std::string filePath;  // empty for a text and for the worker's send
    SendOptions options;   // only the baud rate for the worker's send
  };

  std::vector<PortEntry> listPorts(Operator& op) override;
  bool sendText(const PortEntry& port, std::string_view text, const SendOptions& options,
                Operator& op) override;
  bool sendFile(const PortEntry& port, const std::filesystem::path& path,
                const SendOptions& options, Operator& op) override;
  SerialSystem& serialSystem() override { return *this; }

  std::vector<PortEntry> ports;
  bool failSends = false;
  std::vector<Send> sends;
  // Called on the worker's thread before each write: a test holds the line
  // with it, like a cutter that is still cutting.
  std::function<void()> beforeSerialWrite;
  // A serial cutter that takes this many bytes of a send and then holds
  // the line until the send is stopped; serialStalled is set then.
  std::size_t serialStallAfter = static_cast<std::size_t>(-1);
  std::promise<void> serialStalled;

 private:
  std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) override;
};

}  // namespace corvane::testing

#pragma once

#include <string>
#include <vector>

#include "output/transport/transport.h"

namespace corvane {

// A transport for pipeline tests: a fixed port list, and a record of every
// send in order. Sends fail, with a message, when told to.
class FakeTransport final : public Transport {
 public:
  struct Send {
    PortEntry port;
    std::string bytes;     // the text, or the file's bytes as they were at the send
    std::string filePath;  // empty for a text
    SendOptions options;
  };

  std::vector<PortEntry> listPorts(Operator& op) override;
  bool sendText(const PortEntry& port, std::string_view text, const SendOptions& options,
                Operator& op) override;
  bool sendFile(const PortEntry& port, const std::string& path, const SendOptions& options,
                Operator& op) override;

  std::vector<PortEntry> ports;
  bool failSends = false;
  std::vector<Send> sends;
};

}  // namespace corvane

#pragma once

#include <memory>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/operator.h"
#include "output/transport/port.h"
#include "output/transport/serial_system.h"

namespace corvane {

// What the job pipeline needs from the cutter's connection: the ports to
// choose from, and "send this text" / "send this file". Every failure has
// been told to the operator by the time a send returns false; a send
// returns true only when every byte was handed over.
class Transport {
 public:
  virtual ~Transport();
  virtual std::vector<PortEntry> listPorts(Operator& op) = 0;
  virtual bool sendText(const PortEntry& port, std::string_view text, const SendOptions& options,
                        Operator& op) = 0;
  virtual bool sendFile(const PortEntry& port, const std::filesystem::path& path,
                        const SendOptions& options, Operator& op) = 0;
  // The serial calls under sendText and sendFile, for the stream's worker
  // (serialSendThread), which sends on a thread of its own.
  virtual SerialSystem& serialSystem() = 0;
};

// The transport of the system the program was built for.
std::unique_ptr<Transport> makeSystemTransport();

}  // namespace corvane

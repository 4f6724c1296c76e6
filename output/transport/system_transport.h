#pragma once

#include <filesystem>
#include <string_view>

#include "output/transport/transport.h"

namespace corvane {

// The connection of a real system: serial ports through the system's serial
// calls, the same on every system; every other port through the system's
// own USB route.
class SystemTransport : public Transport {
 public:
  bool sendText(const PortEntry& port, std::string_view text, const SendOptions& options,
                Operator& op) final;
  bool sendFile(const PortEntry& port, const std::filesystem::path& path,
                const SendOptions& options, Operator& op) final;

 protected:
  // A port that is not serial; the same promises as sendText and sendFile.
  virtual bool sendTextToUsb(const PortEntry& port, std::string_view text,
                             const SendOptions& options, Operator& op) = 0;
  virtual bool sendFileToUsb(const PortEntry& port, const std::filesystem::path& path,
                             const SendOptions& options, Operator& op) = 0;
};

}  // namespace corvane

#pragma once

#include "output/transport/serial_system.h"

namespace corvane {

// Serial lines through termios. A port is held with an exclusive advisory
// lock (and TIOCEXCL for programs that do not lock), so a second sender on
// the same line is refused the way Windows refuses a busy COM port.
class PosixSerialSystem final : public SerialSystem {
 public:
  std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) override;
};

}  // namespace corvane

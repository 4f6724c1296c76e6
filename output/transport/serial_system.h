#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "output/transport/send_stop.h"
#include "output/transport/system_error.h"

namespace corvane {

// The line every send sets up. Whatever else the port has (XON/XOFF, DTR,
// error characters) is left as the port already has it.
struct LineSettings {
  std::uint32_t baud = 9600;
  int dataBits = 8;
  bool parity = false;
  int stopBits = 1;
  bool ctsOutputFlow = true;
  bool rtsOn = true;
  std::uint32_t inputQueueBytes = 1024;
  std::uint32_t outputQueueBytes = 1024;
  bool noTimeouts = true;  // every time-out zero: writes block until done
};

// Files go out in pieces one byte short of 64 KiB, the most a 16-bit
// length can carry on the drivers of older cutters' adapters.
inline constexpr std::size_t kSerialChunkBytes = 65535;

// An open serial port. Closing it is the destructor's job, so no failure
// road can leave a port held.
class SerialConnection {
 public:
  virtual ~SerialConnection();
  // Failures are not fatal: some adapters refuse one setting and still
  // carry the data, and a pty has no modem lines at all.
  virtual void applyLine(const LineSettings& line) = 0;
  // Hands the bytes over, all of them or up to the failure.
  virtual WriteOutcome write(std::string_view bytes) = 0;
  // The same, ending early with `stopped` once the stop is requested, also
  // in the middle of a write the port holds back where the system can
  // interrupt it. Here: only before the write.
  virtual WriteOutcome writeUnlessStopped(std::string_view bytes, SendStop& stop);
};

// The operating system's serial calls, swapped for a recording fake in tests.
class SerialSystem {
 public:
  virtual ~SerialSystem();
  // Opens the port for reading and writing, exclusively; null and the
  // error when it is missing or held by another program.
  virtual std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) = 0;
};

}  // namespace corvane

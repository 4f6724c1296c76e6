#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

inline constexpr std::size_t kMaxSerialPorts = 255;

// One open view of the registry key that lists the serial ports
// (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM), closed by its destructor.
class SerialCommKey {
 public:
  enum class Read { Value, End };
  virtual ~SerialCommKey();
  // The data text (COM1, ...) of the value at index, in registry order.
  // Values whose name or data do not fit the usual small buffers are read
  // again with room enough, so a long driver name never yields a garbled
  // port name.
  virtual Read value(std::uint32_t index, std::string& data) = 0;
};

class SerialCommRegistry {
 public:
  virtual ~SerialCommRegistry();
  // Null when the key cannot be opened for reading.
  virtual std::unique_ptr<SerialCommKey> open() = 0;
};

// The port names in registry order, at most kMaxSerialPorts of them; a
// missing key gives an empty list and no message.
std::vector<std::string> listSerialPorts(SerialCommRegistry& registry);

}  // namespace corvane

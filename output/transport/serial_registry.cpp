#include "output/transport/serial_registry.h"

namespace corvane {

SerialCommKey::~SerialCommKey() = default;
SerialCommRegistry::~SerialCommRegistry() = default;

std::vector<std::string> listSerialPorts(SerialCommRegistry& registry) {
  std::vector<std::string> ports;
  const std::unique_ptr<SerialCommKey> key = registry.open();
  if (!key) return ports;
  std::string data;
  for (std::uint32_t index = 0; ports.size() < kMaxSerialPorts; ++index) {
    if (key->value(index, data) != SerialCommKey::Read::Value) break;
    ports.push_back(data);
  }
  return ports;
}

}  // namespace corvane

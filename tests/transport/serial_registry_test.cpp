#include "output/transport/serial_registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

class ListedKey final : public SerialCommKey {
 public:
  explicit ListedKey(std::vector<std::string> values) : values_(std::move(values)) {}
  Read value(std::uint32_t index, std::string& data) override {
    if (index >= values_.size()) return Read::End;
    data = values_[index];
    return Read::Value;
  }

 private:
  std::vector<std::string> values_;
};

class ListedRegistry final : public SerialCommRegistry {
 public:
  std::unique_ptr<SerialCommKey> open() override {
    if (!present) return nullptr;
    return std::make_unique<ListedKey>(values);
  }
  bool present = true;
  std::vector<std::string> values;
};

std::vector<std::string> comPorts(std::size_t count) {
  std::vector<std::string> ports;
  for (std::size_t i = 1; i <= count; ++i) ports.push_back("COM" + std::to_string(i));
  return ports;
}

TEST(SerialPortList, KeepsRegistryOrderUpTo255Ports) {
  const struct {
    std::size_t values;
    std::size_t listed;
  } cases[] = {{0, 0}, {1, 1}, {254, 254}, {255, 255}, {256, 255}, {1000, 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.values);
    ListedRegistry registry;
    registry.values = comPorts(c.values);
    const std::vector<std::string> ports = listSerialPorts(registry);
    ASSERT_EQ(ports.size(), c.listed);
    EXPECT_TRUE(std::equal(ports.begin(), ports.end(), registry.values.begin()));
  }
}

TEST(SerialPortList, MissingKeyGivesAnEmptyList) {
  ListedRegistry registry;
  registry.present = false;
  EXPECT_TRUE(listSerialPorts(registry).empty());
}

}  // namespace
}  // namespace corvane

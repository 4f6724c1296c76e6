#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "output/transport/serial_system.h"

namespace corvane::test {

// A real serial system underneath, with the size of every write kept, so
// the pattern of chunks can be checked against a real line.
template <typename Real>
class ObservedSerialSystem final : public SerialSystem {
 public:
  std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) override {
    auto real = real_.open(port, error);
    if (!real) return nullptr;
    return std::make_unique<Observed>(std::move(real), writes);
  }
  std::vector<std::size_t> writes;

 private:
  class Observed final : public SerialConnection {
   public:
    Observed(std::unique_ptr<SerialConnection> real, std::vector<std::size_t>& writes)
        : real_(std::move(real)), writes_(writes) {}
    void applyLine(const LineSettings& line) override { real_->applyLine(line); }
    WriteOutcome write(std::string_view bytes) override {
      writes_.push_back(bytes.size());
      return real_->write(bytes);
    }

   private:
    std::unique_ptr<SerialConnection> real_;
    std::vector<std::size_t>& writes_;
  };
  Real real_;
};

}  // namespace corvane::test

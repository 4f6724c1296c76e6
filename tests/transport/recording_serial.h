#pragma once

#include <chrono>
#include <cstddef>
#include <future>
#include <memory>
#include <thread>
#include <string>
#include <string_view>
#include <vector>

#include "output/transport/serial_system.h"

namespace corvane::test {

// A serial system that keeps what each call asked for. Opening fails for
// ports named in missingPorts; a write after failAfterBytes stops short; a
// write that reaches stallAfterBytes takes the bytes up to there and then
// holds on, like a cutter keeping CTS low, until the send is stopped.
class RecordingSerialSystem final : public SerialSystem {
 public:
  struct Record {
    std::vector<std::string> opened;
    std::vector<LineSettings> lines;
    std::vector<std::size_t> writes;  // the size each write was asked for
    std::string bytes;
    int openConnections = 0;
  };

  std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) override {
    record.opened.push_back(port);
    for (const std::string& missing : missingPorts) {
      if (port == missing) {
        error = {"CreateFile", 2, "The system cannot find the file specified."};
        return nullptr;
      }
    }
    return std::make_unique<Connection>(*this);
  }

  std::vector<std::string> missingPorts;
  std::size_t failAfterBytes = static_cast<std::size_t>(-1);
  std::size_t stallAfterBytes = static_cast<std::size_t>(-1);
  std::promise<void> stalled;
  Record record;

 private:
  class Connection final : public SerialConnection {
   public:
    explicit Connection(RecordingSerialSystem& system) : system_(system) {
      ++system_.record.openConnections;
    }
    ~Connection() override { --system_.record.openConnections; }
    void applyLine(const LineSettings& line) override { system_.record.lines.push_back(line); }
    WriteOutcome write(std::string_view bytes) override {
      Record& r = system_.record;
      r.writes.push_back(bytes.size());
      const std::size_t room =
          system_.failAfterBytes > r.bytes.size() ? system_.failAfterBytes - r.bytes.size() : 0;
      const std::size_t taken = bytes.size() < room ? bytes.size() : room;
      r.bytes.append(bytes.substr(0, taken));
      if (taken < bytes.size()) return {taken, SystemError{"WriteFile", 1117, "I/O device error"}};
      return {taken, {}};
    }
    WriteOutcome writeUnlessStopped(std::string_view bytes, SendStop& stop) override {
      Record& r = system_.record;
      if (r.bytes.size() + bytes.size() < system_.stallAfterBytes) return write(bytes);
      r.writes.push_back(bytes.size());
      const std::size_t taken = system_.stallAfterBytes - r.bytes.size();
      r.bytes.append(bytes.substr(0, taken));
      system_.stalled.set_value();
      while (!stop.requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return {taken, {}, true};
    }

   private:
    RecordingSerialSystem& system_;
  };
};

}  // namespace corvane::test

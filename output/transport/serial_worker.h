#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/operator.h"
#include "output/transport/port.h"
#include "output/transport/serial_system.h"

namespace corvane {

// What the dialog hands the worker before starting it.
struct SerialSendJob {
  std::filesystem::path filePath;
  std::string port;
  std::uint32_t baud = 9600;
  // Told at the end, on the worker's thread, whether every byte went out;
  // the port is closed by then.
  std::function<void(bool sent)> finished;
  // A command text to send instead of the file: a cutter that has stopped
  // taking bytes holds a short text as long as a long stream.
  std::optional<std::string> text;
  SendProgress progress;     // on the worker's thread, after each piece
  SendStop* stop = nullptr;  // must outlive the send
};

// The worker's body: sends the stream file (or the text) and returns 0
// whatever happened; the operator has been told about any failure.
int serialSendThread(SerialSystem& system, const SerialSendJob& job, Operator& op);

// Runs each serialSendThread on a thread of its own, so the dialog stays
// responsive. A second send while the first still holds the port fails to
// open it, as it would from another program. Destroying the workers waits
// for every send to end: the stream file is deleted at closing, and must
// not be deleted while it is being read.
class SerialSendWorkers {
 public:
  SerialSendWorkers() = default;
  ~SerialSendWorkers();
  SerialSendWorkers(const SerialSendWorkers&) = delete;
  SerialSendWorkers& operator=(const SerialSendWorkers&) = delete;

  // system and op are used from the worker thread and must outlive it.
  void start(SerialSystem& system, SerialSendJob job, Operator& op);
  void waitForAll();

 private:
  std::vector<std::thread> threads_;
};

}  // namespace corvane

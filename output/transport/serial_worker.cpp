#include "output/transport/serial_worker.h"

#include <utility>

#include "output/transport/serial_send.h"

namespace corvane {

int serialSendThread(SerialSystem& system, const SerialSendJob& job, Operator& op) {
  const bool sent =
      job.text
          ? sendTextSerial(system, job.port, *job.text, job.baud, op, job.progress, job.stop)
          : sendFileSerial(system, job.port, job.filePath, job.baud, op, job.progress, job.stop);
  if (job.finished) job.finished(sent);
  return 0;
}

SerialSendWorkers::~SerialSendWorkers() { waitForAll(); }

void SerialSendWorkers::start(SerialSystem& system, SerialSendJob job, Operator& op) {
  threads_.emplace_back(
      [&system, &op, job = std::move(job)] { serialSendThread(system, job, op); });
}

void SerialSendWorkers::waitForAll() {
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

}  // namespace corvane

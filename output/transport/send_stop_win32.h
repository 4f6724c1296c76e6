#pragma once

#include <windows.h>

#include <mutex>

#include "output/transport/send_stop.h"

namespace corvane {

// The thread whose write a stop cancels (CancelSynchronousIo): the port is
// opened for plain blocking writes without time-outs, so cancelling the
// write is the only way to end it early.
struct SendStop::Waker {
  std::mutex mutex;
  HANDLE writer = nullptr;
};

// Registers the calling thread as the writer for the life of one write.
class StoppableWrite {
 public:
  explicit StoppableWrite(SendStop::Waker& waker);
  ~StoppableWrite();
  StoppableWrite(const StoppableWrite&) = delete;
  StoppableWrite& operator=(const StoppableWrite&) = delete;

 private:
  SendStop::Waker& waker_;
};

}  // namespace corvane

#include "output/transport/send_stop_win32.h"

namespace corvane {

SendStop::SendStop() : waker_(std::make_unique<Waker>()) {}

SendStop::~SendStop() = default;

void SendStop::request() {
  requested_ = true;
  const std::lock_guard<std::mutex> lock(waker_->mutex);
  // Fails with ERROR_NOT_FOUND when the writer is between writes (it then
  // sees the request before its next one) or when the system cannot cancel
  // the write it is blocked in; the caller tries again and gives up later.
  if (waker_->writer) CancelSynchronousIo(waker_->writer);
}

void SendStop::clear() { requested_ = false; }

StoppableWrite::StoppableWrite(SendStop::Waker& waker) : waker_(waker) {
  const std::lock_guard<std::mutex> lock(waker_.mutex);
  waker_.writer = OpenThread(THREAD_TERMINATE, FALSE, GetCurrentThreadId());
}

StoppableWrite::~StoppableWrite() {
  const std::lock_guard<std::mutex> lock(waker_.mutex);
  if (waker_.writer) CloseHandle(waker_.writer);
  waker_.writer = nullptr;
}

}  // namespace corvane

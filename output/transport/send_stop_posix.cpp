#include "output/transport/send_stop_posix.h"

#include <fcntl.h>
#include <unistd.h>

namespace corvane {

SendStop::SendStop() : waker_(std::make_unique<Waker>()) {
  int ends[2] = {-1, -1};
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    waker_->readEnd = UniqueFd(ends[0]);
    waker_->writeEnd = UniqueFd(ends[1]);
  }
}

SendStop::~SendStop() = default;

void SendStop::request() {
  // Only async-signal-safe calls here.
  if (requested_.exchange(true)) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(waker_->writeEnd.get(), &byte, 1);
}

void SendStop::clear() {
  char drain[16];
  while (::read(waker_->readEnd.get(), drain, sizeof drain) > 0) {
  }
  requested_ = false;
}

}  // namespace corvane

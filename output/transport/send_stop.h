#pragma once

#include <atomic>
#include <memory>

namespace corvane {

// Lets one thread stop a serial send that runs on another: the send writes
// nothing more, and a write the port is holding back (a cutter that keeps
// CTS low) is interrupted where the system can do that. On POSIX systems
// request() may also be called from a signal handler.
class SendStop {
 public:
  SendStop();
  ~SendStop();
  SendStop(const SendStop&) = delete;
  SendStop& operator=(const SendStop&) = delete;

  // May be repeated: a write that was just starting when the first request
  // came is interrupted by a later one.
  void request();
  bool requested() const { return requested_.load(); }
  // Before the next send.
  void clear();

  // What a blocked write waits on or is cancelled through; each system's
  // serial code defines it.
  struct Waker;
  Waker& waker() const { return *waker_; }

 private:
  std::atomic<bool> requested_{false};
  std::unique_ptr<Waker> waker_;
};

}  // namespace corvane

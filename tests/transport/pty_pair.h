#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace corvane::test {

// A real pseudo-terminal pair: the code under test opens the line by its
// name, the test reads what arrives at the far end on a thread of its own
// (a pty holds only a few KiB, so a writer waits for its reader).
class PtyPair {
 public:
  PtyPair() {
    char name[256] = {};
    if (openpty(&far_, &near_, name, nullptr, nullptr) == 0) name_ = name;
  }
  ~PtyPair() {
    if (reader_.joinable()) reader_.join();
    if (near_ >= 0) ::close(near_);
    if (far_ >= 0) ::close(far_);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool ok() const { return !name_.empty(); }
  const std::string& name() const { return name_; }
  // The near end stays open in the test, so the line's settings can be read
  // after the code under test has closed it.
  int nearEnd() const { return near_; }

  // Collects bytes until `count` have arrived or the line stays quiet for
  // `quiet`; the result is in received() after finish().
  void startReading(std::size_t count, std::chrono::milliseconds quiet) {
    reader_ = std::thread([this, count, quiet] {
      char buffer[65536];
      while (received_.size() < count) {
        pollfd p{far_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0) break;
        const ssize_t n = ::read(far_, buffer, sizeof buffer);
        if (n <= 0) break;
        received_.append(buffer, static_cast<std::size_t>(n));
      }
    });
  }
  const std::string& finish() {
    if (reader_.joinable()) reader_.join();
    return received_;
  }

 private:
  int far_ = -1;
  int near_ = -1;
  std::string name_;
  std::thread reader_;
  std::string received_;
};

}  // namespace corvane::test

#include "output/transport/posix_serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "output/transport/line_speed_linux.h"
#include "output/transport/send_stop_posix.h"
#include "output/transport/unique_fd.h"

namespace corvane {

namespace {

SystemError errnoError(const char* step, int code) {
  return SystemError{step, code, std::strerror(code)};
}

class PosixSerialConnection final : public SerialConnection {
 public:
  explicit PosixSerialConnection(UniqueFd fd) : fd_(std::move(fd)) {}
  ~PosixSerialConnection() override { ioctl(fd_.get(), TIOCNXCL); }

  void applyLine(const LineSettings& line) override {
    termios settings{};
    if (tcgetattr(fd_.get(), &settings) != 0) return;  // not a tty: bytes go out as they are
    // A COM port carries bytes unchanged; a tty's line discipline would
    // turn LF into CR LF and eat XON/XOFF unless the line is raw.
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    if (line.ctsOutputFlow) settings.c_cflag |= CRTSCTS;
    tcsetattr(fd_.get(), TCSANOW, &settings);
    setLineSpeed(fd_.get(), line.baud);
    if (line.rtsOn) {
      int rts = TIOCM_RTS;
      ioctl(fd_.get(), TIOCMBIS, &rts);  // ptys have no modem lines
    }
  }

  WriteOutcome write(std::string_view bytes) override {
    WriteOutcome outcome;
    while (outcome.written < bytes.size()) {
      const ssize_t n =
          ::write(fd_.get(), bytes.data() + outcome.written, bytes.size() - outcome.written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        outcome.failure = errnoError("write", n < 0 ? errno : EIO);
        break;
      }
      outcome.written += static_cast<std::size_t>(n);
    }
    return outcome;
  }

  // Waits for room in the port and for the stop together, then writes what
  // fits without blocking: a blocking write() would wait for the whole
  // piece however long the cutter holds CTS low.
  WriteOutcome writeUnlessStopped(std::string_view bytes, SendStop& stop) override {
    WriteOutcome outcome;
    if (stop.requested()) {
      outcome.stopped = true;
      return outcome;
    }
    const int flags = fcntl(fd_.get(), F_GETFL);
    if (flags < 0 || fcntl(fd_.get(), F_SETFL, flags | O_NONBLOCK) != 0) {
      outcome.failure = errnoError("fcntl", errno);
      return outcome;
    }
    while (outcome.written < bytes.size()) {
      if (stop.requested()) {
        outcome.stopped = true;
        break;
      }
      pollfd waits[2] = {{fd_.get(), POLLOUT, 0}, {stop.waker().readEnd.get(), POLLIN, 0}};
      if (poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        outcome.failure = errnoError("poll", errno);
        break;
      }
      if (waits[0].revents == 0) continue;  // the stop woke us
      const ssize_t n =
          ::write(fd_.get(), bytes.data() + outcome.written, bytes.size() - outcome.written);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n <= 0) {
        outcome.failure = errnoError("write", n < 0 ? errno : EIO);
        break;
      }
      outcome.written += static_cast<std::size_t>(n);
    }
    fcntl(fd_.get(), F_SETFL, flags);
    return outcome;
  }

 private:
  UniqueFd fd_;
};

}  // namespace

std::unique_ptr<SerialConnection> PosixSerialSystem::open(const std::string& port,
                                                          SystemError& error) {
  // Without O_NONBLOCK, opening a line whose modem has no carrier waits for one.
  UniqueFd fd(::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) {
    error = errnoError("open", errno);
    return nullptr;
  }
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    error = errnoError("lock", errno);
    return nullptr;
  }
  ioctl(fd.get(), TIOCEXCL);
  const int flags = fcntl(fd.get(), F_GETFL);
  if (flags < 0 || fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    error = errnoError("fcntl", errno);
    return nullptr;
  }
  return std::make_unique<PosixSerialConnection>(std::move(fd));
}

}  // namespace corvane

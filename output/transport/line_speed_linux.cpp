// termios2 lives in the kernel's own header, which clashes with <termios.h>;
// that is why this is a file of its own.
#include "output/transport/line_speed_linux.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace corvane {

int setLineSpeed(int fd, std::uint32_t baud) {
  struct termios2 line {};
  if (ioctl(fd, TCGETS2, &line) != 0) return errno;
  line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  line.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  line.c_ispeed = baud;
  line.c_ospeed = baud;
  if (ioctl(fd, TCSETS2, &line) != 0) return errno;
  return 0;
}

std::uint32_t lineSpeed(int fd) {
  struct termios2 line {};
  if (ioctl(fd, TCGETS2, &line) != 0) return 0;
  return line.c_ospeed;
}

}  // namespace corvane

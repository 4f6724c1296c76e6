#pragma once

#include <cstdint>

namespace corvane {

// Sets input and output speed to any number of baud, not only the rates
// termios has constants for (56000 and 152000 have none). Returns errno,
// 0 on success.
int setLineSpeed(int fd, std::uint32_t baud);

// The output speed the line has now, or 0 when it cannot be read.
std::uint32_t lineSpeed(int fd);

}  // namespace corvane

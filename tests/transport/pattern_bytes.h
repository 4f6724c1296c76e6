#pragma once

#include <cstddef>
#include <string>

namespace corvane::test {

// Bytes that show any reordering, loss or translation: every value, with
// line ends and XON/XOFF among them.
inline std::string patternBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xff);
  return bytes;
}

}  // namespace corvane::test

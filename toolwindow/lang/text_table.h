#pragma once

#include <cstdint>
#include <string>

namespace corvane::toolwindow {

// The program's string table: texts 101-128 in Chinese, 201-228 in English,
// UTF-8. The Win32 programs read their string-table resource; elsewhere a
// table compiled into the program stands in for it.
class TextTable {
 public:
  virtual ~TextTable() = default;
  // Empty when there is no entry of that identifier.
  virtual std::string Load(std::int32_t identifier) const = 0;
};

}  // namespace corvane::toolwindow

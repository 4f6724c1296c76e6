#pragma once

#include <cstdint>
#include <string>

#include "toolwindow/lang/text_table.h"

namespace corvane::toolwindow {

// The string table compiled into the program, for everything that does not
// read the Win32 string-table resource: the command line and the tests.
class BuiltInTextTable final : public TextTable {
 public:
  std::string Load(std::int32_t identifier) const override;
};

}  // namespace corvane::toolwindow

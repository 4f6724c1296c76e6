#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolwindow/lang/text_table.h"

namespace corvane::toolwindow {

// The program's string-table resource, read by identifier alone: the
// system's choice of language tag plays no part, since every entry exists
// once.
class ResourceTextTable final : public TextTable {
 public:
  explicit ResourceTextTable(HINSTANCE module) : module_(module) {}
  std::string Load(std::int32_t identifier) const override;

 private:
  HINSTANCE module_;
};

}  // namespace corvane::toolwindow

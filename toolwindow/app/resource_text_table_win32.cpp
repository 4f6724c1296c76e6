#include "toolwindow/app/resource_text_table_win32.h"

#include <string_view>

#include "common/win32/wide_text.h"

namespace corvane::toolwindow {

std::string ResourceTextTable::Load(std::int32_t identifier) const {
  if (identifier < 0 || identifier > 0xFFFF) return {};
  // With no buffer the system hands out the entry in place, read only.
  const wchar_t* entry = nullptr;
  const int length =
      LoadStringW(module_, static_cast<UINT>(identifier), reinterpret_cast<wchar_t*>(&entry), 0);
  if (length <= 0 || !entry) return {};
  return utf8Text(std::wstring_view(entry, static_cast<std::size_t>(length)));
}

}  // namespace corvane::toolwindow

#include "output/program/library_texts_win32.h"

#include "common/win32/wide_text.h"

namespace corvane {

std::string LibraryTexts::text(TextId id) const {
  // A string resource holds at most 4,097 UTF-16 units.
  wchar_t buffer[4100] = {};
  const int length = LoadStringW(library_, static_cast<UINT>(id), buffer, 4100);
  return utf8Text(std::wstring_view(buffer, static_cast<std::size_t>(length > 0 ? length : 0)));
}

}  // namespace corvane

#include "toolwindow/lang/builtin_text_table.h"

#include <string_view>

#include "toolwindow/lang/texts.h"

namespace corvane::toolwindow {

namespace {

struct TextRow {
  std::int32_t number;
  std::string_view english;
  std::string_view chinese;
};

// The number comes from the pasted entry identifier, since 08 and 09 are no
// C++ literals.
#define CORVANE_TOOL_TEXT_ROW(nn, en, ch) {1##nn - 100, en, ch},
constexpr TextRow kRows[] = {CORVANE_TOOL_TEXTS(CORVANE_TOOL_TEXT_ROW)};
#undef CORVANE_TOOL_TEXT_ROW

}  // namespace

std::string BuiltInTextTable::Load(std::int32_t identifier) const {
  const std::int32_t language = identifier / 100;
  const std::int32_t number = identifier % 100;
  if (language != 1 && language != 2) return {};
  for (const TextRow& row : kRows) {
    if (row.number == number) return std::string(language == 1 ? row.chinese : row.english);
  }
  return {};
}

}  // namespace corvane::toolwindow

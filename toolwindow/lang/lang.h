#pragma once

#include <cstdint>
#include <string>

#include "toolwindow/lang/text_table.h"

namespace corvane::toolwindow {

inline constexpr std::int32_t kLanguageChinese = 1;
inline constexpr std::int32_t kLanguageEnglish = 2;

// The interface language: which half of the string table every caption and
// message comes from.
class Lang {
 public:
  explicit Lang(const TextTable& table) : table_(table) {}

  // Set only when a language is applied; English until then.
  std::int32_t CurrentLanguage = kLanguageEnglish;

  // Text number 1-28 in the current language.
  std::string LangText(std::int32_t number) const { return TextIn(CurrentLanguage, number); }

  // Text number 1-28 in the given language.
  std::string TextIn(std::int32_t language, std::int32_t number) const {
    return table_.Load(100 * language + number);
  }

 private:
  const TextTable& table_;
};

}  // namespace corvane::toolwindow

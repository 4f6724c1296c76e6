#include "common/job_contract.h"

#include <charconv>
#include <initializer_list>

namespace corvane::job {

namespace {

std::string line(std::string_view name, std::initializer_list<std::int32_t> numbers) {
  std::string text(name);
  bool first = true;
  for (const std::int32_t number : numbers) {
    if (!first) text += kNumberSeparator;
    first = false;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(digits, end);
  }
  text += kInstructionEnd;
  text += "\r\n";
  return text;
}

}  // namespace

std::string dbLine(std::int32_t x, std::int32_t y) { return line("DB", {0, 0, x, y}); }

std::string tbLine(std::int32_t width, std::int32_t height, std::int32_t right,
                   std::int32_t bottom) {
  return line("TB", {width, height, right, bottom});
}

std::string sbLine(std::int32_t count) { return line("SB", {count}); }

}  // namespace corvane::job

#include "toolwindow/cutout/job_lines.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace corvane::toolwindow {

namespace {

std::string Line(const char* command, std::initializer_list<std::int32_t> numbers) {
  std::string line = command;
  bool first = true;
  for (const std::int32_t number : numbers) {
    if (!first) line += ',';
    first = false;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    line.append(digits, end);
  }
  line += ";\r\n";
  return line;
}

}  // namespace

std::optional<std::int32_t> FloorPlotterUnits(double units) {
  const double floored = std::floor(units);
  // Compared as doubles, where both limits are exact; NaN fails both.
  if (!(floored >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        floored <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(floored);
}

std::string DbLine(std::int32_t x, std::int32_t y) { return Line("DB", {0, 0, x, y}); }

std::string TbLine(std::int32_t width, std::int32_t height, std::int32_t right,
                   std::int32_t bottom) {
  return Line("TB", {width, height, right, bottom});
}

std::string SbLine(std::int32_t count) { return Line("SB", {count}); }

}  // namespace corvane::toolwindow

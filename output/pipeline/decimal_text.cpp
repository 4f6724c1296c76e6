#include "output/pipeline/decimal_text.h"

#include <charconv>
#include <cmath>

namespace corvane {

namespace {

std::string_view numberPart(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

}  // namespace

double decimalValue(std::string_view text) {
  text = numberPart(text);
  double value = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

std::int64_t integerValue(std::string_view text) {
  text = numberPart(text);
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

}  // namespace corvane

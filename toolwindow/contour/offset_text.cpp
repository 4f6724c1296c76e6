#include "toolwindow/contour/offset_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace corvane::toolwindow {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A finite double as its shortest decimal digits: value = digits[0].digits[1..]
// x 10^exponent.
struct DecimalForm {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  // The digit of place value 10^place, 0 where the form has none.
  int DigitAt(int place) const {
    const int index = exponent - place;
    if (index < 0 || index >= static_cast<int>(digits.size())) return 0;
    return digits[static_cast<std::size_t>(index)] - '0';
  }
  bool AnyDigitBelow(int place) const {
    for (int p = place - 1; exponent - p < static_cast<int>(digits.size()); --p) {
      if (DigitAt(p) != 0) return true;
    }
    return false;
  }
  // The digits from the highest place down to tenths, as a decimal integer
  // text (the number of tenths, cut off), with a leading 0 that takes the
  // carry of rounding up.
  std::string Tenths() const {
    std::string tenths = "0";
    for (int place = exponent; place >= -1; --place) {
      tenths += static_cast<char>('0' + DigitAt(place));
    }
    return tenths;
  }
};

DecimalForm DecimalFormOf(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  DecimalForm form;
  const char* p = text;
  if (*p == '-') {
    form.negative = true;
    ++p;
  }
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.') form.digits += *p;
  }
  if (p < result.ptr) {
    ++p;
    if (*p == '+') ++p;
    std::from_chars(p, result.ptr, form.exponent);
  }
  return form;
}

// Adds one to a decimal integer text that begins with a 0.
void Increment(std::string& number) {
  for (std::size_t i = number.size(); i-- > 0;) {
    if (number[i] != '9') {
      ++number[i];
      return;
    }
    number[i] = '0';
  }
}

std::string WithoutLeadingZeros(const std::string& number) {
  const std::size_t first = number.find_first_not_of('0');
  return first == std::string::npos ? "0" : number.substr(first);
}

}  // namespace

double ReadOffsetNumber(std::string_view text) {
  std::string compact;
  for (const char c : text) {
    if (!IsBlank(c)) compact += c;
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
    negative = compact[i] == '-';
    ++i;
  }
  std::string literal;
  bool point = false;
  bool digits = false;
  for (; i < compact.size(); ++i) {
    if (IsDigit(compact[i])) {
      literal += compact[i];
      digits = true;
    } else if (compact[i] == '.' && !point) {
      literal += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) exponent += compact[j++];
    const std::size_t firstDigit = j;
    while (j < compact.size() && IsDigit(compact[j])) exponent += compact[j++];
    if (j > firstDigit) literal += exponent;
  }
  double value = 0;
  const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value);
  if (result.ec != std::errc()) return 0;
  return negative ? -value : value;
}

std::string FormatOffset(double offset) {
  if (!std::isfinite(offset)) return "0.0";
  const DecimalForm form = DecimalFormOf(offset);
  std::string tenths = form.Tenths();
  if (form.DigitAt(-2) >= 5) Increment(tenths);
  tenths = WithoutLeadingZeros(tenths);
  std::string text;
  if (form.negative && tenths != "0") text += '-';
  if (tenths.size() < 2) text += '0';
  text.append(tenths, 0, tenths.size() - 1);
  text += '.';
  text += tenths.back();
  return text;
}

std::optional<std::int32_t> ScrollPositionOf(double offset, std::int32_t minimum,
                                             std::int32_t maximum) {
  if (!std::isfinite(offset)) return std::nullopt;
  const DecimalForm form = DecimalFormOf(offset);
  std::string tenths = form.Tenths();
  // Far outside any scroll range; no need to round.
  if (WithoutLeadingZeros(tenths).size() > 9) return std::nullopt;
  const int next = form.DigitAt(-2);
  const bool odd = ((tenths.back() - '0') % 2) != 0;
  if (next > 5 || (next == 5 && (form.AnyDigitBelow(-2) || odd))) Increment(tenths);
  std::int64_t magnitude = 0;
  std::from_chars(tenths.data(), tenths.data() + tenths.size(), magnitude);
  const std::int64_t position = form.negative ? magnitude : -magnitude;
  if (position < minimum || position > maximum) return std::nullopt;
  return static_cast<std::int32_t>(position);
}

}  // namespace corvane::toolwindow

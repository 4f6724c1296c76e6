#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The trace offset as the trace settings window shows and stores it.
namespace corvane::toolwindow {

// The number at the start of the text, read like a decimal literal: blanks,
// tabs and line breaks are ignored wherever they stand; then an optional
// sign, digits with at most one ".", an optional exponent; reading stops at
// the first other character. No number, or one beyond the range of a
// double, reads as 0.
double ReadOffsetNumber(std::string_view text);

// "#0.0": at least one digit before the point, one after, halves rounded
// away from zero on the number's shortest decimal form (1.25 gives 1.3 even
// though the double lies just below 1.25). A value that rounds to zero has
// no sign.
std::string FormatOffset(double offset);

// The scroll bar position of an offset: -(offset x 10), halves to the even
// neighbour (1.25 gives -12). Empty when it lies outside [minimum, maximum]
// or the offset is not finite.
std::optional<std::int32_t> ScrollPositionOf(double offset, std::int32_t minimum,
                                             std::int32_t maximum);

}  // namespace corvane::toolwindow

#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// Values typed into the dialog or kept in Config.ini are read the lenient
// way operators expect: leading blanks are skipped, the number ends at the
// first character that cannot continue it, and a text with no number reads
// as 0 ("2.5mm" is 2.5, "abc" is 0). Locale-independent.
double decimalValue(std::string_view text);
std::int64_t integerValue(std::string_view text);

}  // namespace corvane

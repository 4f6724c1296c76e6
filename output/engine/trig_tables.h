#pragma once

#include <array>

namespace corvane {

// Cosine and sine of whole degrees 0..179, times 1000, truncated toward zero.
// The corner treatment classifies and swings with these exact integers; the
// value of pi is the one the tables have always been built with.
extern const std::array<int, 180> CosTable;
extern const std::array<int, 180> SinTable;

}  // namespace corvane

#include "output/engine/trig_tables.h"

#include <cmath>

namespace corvane {

namespace {

constexpr double kPi = 3.14159265359;

template <typename F>
std::array<int, 180> tabulate(F function) {
  std::array<int, 180> table{};
  for (int degrees = 0; degrees < 180; ++degrees) {
    table[static_cast<std::size_t>(degrees)] =
        static_cast<int>(1000.0 * function(degrees * kPi / 180.0));
  }
  return table;
}

}  // namespace

const std::array<int, 180> CosTable = tabulate([](double a) { return std::cos(a); });
const std::array<int, 180> SinTable = tabulate([](double a) { return std::sin(a); });

}  // namespace corvane

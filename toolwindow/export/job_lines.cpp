#include "toolwindow/export/job_lines.h"

#include <cmath>
#include <limits>

namespace corvane::toolwindow {

std::optional<std::int32_t> FloorPlotterUnits(double units) {
  const double floored = std::floor(units);
  // Compared as doubles, where both limits are exact; NaN fails both.
  if (!(floored >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        floored <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(floored);
}

}  // namespace corvane::toolwindow

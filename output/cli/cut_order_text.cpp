#include "output/cli/cut_order_text.h"

#include <cstdio>

namespace corvane::cli {

void printCutOrder(const CutOrderFigures& figures) {
  std::printf(
      "Knife-up travel: %.1f mm in the file's order, %.1f mm inside first, least travel "
      "(%zu paths)\n",
      figures.fileTravelMm, figures.travelMm, figures.paths);
}

}  // namespace corvane::cli

#include "output/order/order_job.h"

#include <utility>

#include "output/order/cut_order.h"

namespace corvane {

namespace {
constexpr double kUnitsPerMm = 40.0;
}

CutOrderFigures putInCuttingOrder(PltConverter& job, bool axesExchanged) {
  OrderOptions options;
  options.axesExchanged = axesExchanged;
  CutOrder order = orderForCutting(job.points(), options);
  CutOrderFigures figures;
  figures.fileTravelMm = order.fileTravel / kUnitsPerMm;
  figures.travelMm = order.travel / kUnitsPerMm;
  figures.paths = order.cuts.size();
  figures.placeInCut.resize(order.cuts.size());
  for (std::size_t i = 0; i < order.cuts.size(); ++i) figures.placeInCut[order.cuts[i].path] = i;
  job.replacePoints(std::move(order.points));
  return figures;
}

}  // namespace corvane

#include "output/pipeline/convert_job.h"

#include <filesystem>
#include <system_error>

#include "output/engine/plt_converter.h"

namespace corvane {

namespace {

void removeRegularFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
}

}  // namespace

bool convertJob(const ConvertRequest& request, Operator& op, CutOrderFigures* figures) {
  // Whatever lies at the output paths is from an earlier run; it must not
  // survive a run that fails.
  removeRegularFile(request.streamPath);
  removeRegularFile(request.intermediatePath);

  const Dialect dialect = dialectForMachine(request.machine);
  PltConverter job(op);
  job.readPlt(request.jobPath);
  job.applyMarkOffset(job.param3(), job.param4());
  job.computeBounds();
  const bool intermediateWritten = job.writePlain(request.intermediatePath, Dialect::Hpgl);

  auto order = [&](PltConverter& converter, bool axesExchanged) {
    if (!request.order) return;
    const CutOrderFigures done = putInCuttingOrder(converter, axesExchanged);
    if (figures != nullptr) *figures = done;
  };
  if (!request.angleMm && !request.closedMm) {
    order(job, false);
    return job.writePlain(request.streamPath, dialect);
  }

  // Without an intermediate file of this run there is nothing to build the
  // stream from; the writer has already said why.
  if (!intermediateWritten) return false;
  job.releasePoints();
  PltConverter corners(op);
  if (!corners.readPlt(request.intermediatePath)) return false;
  order(corners, true);
  corners.setCornerDistances(request.angleMm.value_or(0.0), request.closedMm.value_or(0.0));
  return corners.writeWithCorners(request.streamPath, dialect);
}

}  // namespace corvane

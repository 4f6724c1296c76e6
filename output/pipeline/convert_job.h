#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/operator.h"
#include "output/order/order_job.h"

namespace corvane {

struct ConvertRequest {
  std::filesystem::path jobPath;
  std::filesystem::path streamPath;
  std::filesystem::path intermediatePath;
  std::string machine = "RQ-2400";
  std::optional<double> angleMm;   // set: the sharp-corner option is on
  std::optional<double> closedMm;  // set: the closing option is on
  bool order = false;              // inside first, least travel (the stream only)
};

// The output program's preparation and stream building, in its order:
// read the job, move it to its reference corner, measure it, write the
// intermediate file in HPGL, then build the stream in the machine's dialect
// (from the intermediate file when a corner option is on). With the cut
// order on, the stream's paths are put into cutting order; the intermediate
// file keeps the job's order, and `figures` (when given) tells the travel.
//
// Returns true only when the stream file was written whole. Otherwise no
// stream file is left at streamPath; the operator has been told why.
bool convertJob(const ConvertRequest& request, Operator& op, CutOrderFigures* figures = nullptr);

}  // namespace corvane

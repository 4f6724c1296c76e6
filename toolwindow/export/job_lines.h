#pragma once

#include <cstdint>
#include <optional>

#include "common/job_contract.h"

// The numbers of the job instruction lines (job_contract.h writes them):
// plotter units, 40 to the millimetre.
namespace corvane::toolwindow {

// A length in plotter units taken down to the next integer toward minus
// infinity; nothing when it is not a finite number a job line can hold.
std::optional<std::int32_t> FloorPlotterUnits(double units);

}  // namespace corvane::toolwindow

#pragma once

#include "output/order/order_job.h"

namespace corvane::cli {

// The knife-up travel of the job's order and of the cut order, on stdout.
void printCutOrder(const CutOrderFigures& figures);

}  // namespace corvane::cli

#pragma once

#include "output/transport/send_stop.h"
#include "output/transport/unique_fd.h"

namespace corvane {

// A pipe that becomes readable when a stop is requested, so a write can
// poll() the port and the stop together.
struct SendStop::Waker {
  UniqueFd readEnd;
  UniqueFd writeEnd;
};

}  // namespace corvane

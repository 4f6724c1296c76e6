#pragma once

#include <string_view>

#include "common/win32/unique_handle.h"

namespace corvane {

struct InstanceClaim {
  UniqueKernelHandle mutex;  // held until the process ends
  bool anotherCopyRuns = false;
};

// Creates the named mutex, owned by this process.
InstanceClaim claimSingleInstance(std::string_view mutexName);

// Ends every other process with this image name (without regard to case).
// The snapshot is walked from its second entry; the first is never one of
// ours. This process is left running so that the caller can end it last:
// ending itself first would leave the copies after it in the snapshot alive.
void killOutputInstances(std::string_view imageName);

}  // namespace corvane

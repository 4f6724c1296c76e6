#pragma once

#include <variant>
#include <string>
#include <string_view>
#include <vector>

#include "common/operator.h"
#include "output/transport/port.h"
#include "output/transport/system_error.h"

namespace corvane {

// The CUPS queues whose device is a USB printer, from the server that
// CUPS_SERVER or the client configuration names; the error when the server
// cannot be asked.
std::variant<std::vector<PortEntry>, SystemError> listCupsUsbQueues();

// Prints the bytes to the queue as one raw job titled title. True only when
// the server accepted the whole job; the operator has been told otherwise,
// and a job already created is cancelled rather than left half-fed.
bool printToCupsQueue(const std::string& queue, std::string_view bytes, const std::string& title,
                      Operator& op, const SendProgress& progress);

}  // namespace corvane

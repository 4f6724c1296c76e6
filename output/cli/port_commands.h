#pragma once

#include <cstdio>

#include "common/operator.h"
#include "output/transport/transport.h"

namespace corvane {

// corvane-out ports: one line per port, "NAME<TAB>KIND<TAB>DESCRIPTION".
int runPortsCommand(Transport& transport, Operator& op, std::FILE* out);

// corvane-out send FILE --port PORT [--baud N] [--title NAME]
// Exit status 0 only when every byte of the file was handed over.
int runSendCommand(int argc, char** argv, Transport& transport, Operator& op,
                   std::FILE* progressOut);

}  // namespace corvane

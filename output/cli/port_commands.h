#pragma once

#include <cstdio>
#include <string>

#include "common/operator.h"
#include "output/transport/transport.h"

namespace corvane {

// A port named on the command line: a path is a device (a USB printer
// under /dev/usb/, a serial line otherwise), a listed name is that port,
// and any other name is a print queue.
PortEntry resolvePort(Transport& transport, const std::string& name);

// corvane-out ports: one line per port, "NAME<TAB>KIND<TAB>DESCRIPTION".
int runPortsCommand(Transport& transport, Operator& op, std::FILE* out);

// corvane-out send FILE --port PORT [--baud N] [--title NAME]
// Exit status 0 only when every byte of the file was handed over.
int runSendCommand(int argc, char** argv, Transport& transport, Operator& op,
                   std::FILE* progressOut);

}  // namespace corvane

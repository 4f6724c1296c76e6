#pragma once

#include <cstdio>

#include "common/operator.h"
#include "output/transport/transport.h"

namespace corvane {

// corvane-out run [DIR] [--port PORT] [--baud N] [--machine NAME]
//                 [--angle MM|off] [--closed MM|off] [--preview FILE.svg]
//
// The output program on a terminal: in DIR (default: the current directory)
// reads Config.ini and the job file QuillonPro1.tmp, prepares the job, saves
// the settings, builds the stream and sends it to the chosen port, asking
// before cutting a job with registration marks. Options override the saved
// settings for this run (and are saved like a choice in the dialog).
//
// Exit status: 0 when the job reached the cutter, 3 when the operator chose
// not to cut and TB24 reached the cutter, 1 when nothing or not everything
// was sent (also when Ctrl-C stopped the send), 2 for a bad command line.
// The job's files are removed once the job was sent or declined; after a
// failure they stay for another try. With progressOut, a serial send shows
// there how far it is, piece by piece.
int runRunCommand(int argc, char** argv, Transport& transport, Operator& op,
                  std::FILE* progressOut = nullptr);

}  // namespace corvane

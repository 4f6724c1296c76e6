#pragma once

namespace corvane {

// corvane-out simulate JOB --blade MM [--machine NAME] [--angle MM|off]
//                      [--closed MM|off] [--heading DEG] [--svg FILE] [--suggest]
//
// Prepares the job as convert does, runs the stream under a drag knife of
// the given blade offset and prints on one line how far the cut lies from
// the design. The settings not given come from the Config.ini beside the job
// (the blade offset too). With --suggest, every corner setting (off, and
// 0.05 mm steps up to twice the blade offset, for each option) is simulated
// and the one with the smallest miss whose overshoot stays under 0.1 mm is
// printed beside the saved one.
//
// Exit status: 0 with the figures, 1 when there was nothing to simulate,
// 2 for a bad command line.
int runSimulateCommand(int argc, char** argv);

}  // namespace corvane

#pragma once

namespace corvane {

// corvane-out convert JOB -o STREAM [--machine NAME] [--angle MM] [--closed MM]
//                     [--intermediate FILE] [--preview FILE.svg]
int runConvertCommand(int argc, char** argv);

}  // namespace corvane

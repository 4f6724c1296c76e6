// corvane-out: the output program's engine on the command line.
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "output/cli/convert_command.h"
#include "output/cli/port_commands.h"
#include "output/cli/run_command.h"
#include "output/cli/simulate_command.h"
#include "output/cli/stderr_operator.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane-out convert JOB -o STREAM [--machine NAME] [--angle MM] [--closed MM]\n"
    "                           [--intermediate FILE] [--preview FILE.svg]\n"
    "       corvane-out run [DIR] [--port PORT] [--baud N] [--machine NAME]\n"
    "                       [--angle MM|off] [--closed MM|off] [--preview FILE.svg]\n"
    "       corvane-out simulate JOB --blade MM [--machine NAME] [--angle MM|off]\n"
    "                            [--closed MM|off] [--heading DEG] [--svg FILE] [--suggest]\n"
    "       corvane-out ports\n"
    "       corvane-out send FILE --port PORT [--baud N] [--title NAME]\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "--version") {
    std::printf("corvane-out %s\n", CORVANE_VERSION);
    return 0;
  }
  if (command == "convert") return corvane::runConvertCommand(argc - 2, argv + 2);
  if (command == "simulate") return corvane::runSimulateCommand(argc - 2, argv + 2);
  if (command == "ports" || command == "send" || command == "run") {
    corvane::StderrOperator op;
    const auto transport = corvane::makeSystemTransport();
    if (command == "ports") return corvane::runPortsCommand(*transport, op, stdout);
    // Progress only where a person watches it.
    std::FILE* progress = isatty(STDERR_FILENO) ? stderr : nullptr;
    if (command == "run") {
      return corvane::runRunCommand(argc - 2, argv + 2, *transport, op, progress);
    }
    return corvane::runSendCommand(argc - 2, argv + 2, *transport, op, progress);
  }
  const bool help = command == "--help" || command == "help";
  std::fputs(kUsage, help ? stdout : stderr);
  return help ? 0 : 2;
}

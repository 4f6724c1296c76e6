// corvane-out: the output program's engine on the command line.
#include <cstdio>
#include <string_view>

#include "output/cli/convert_command.h"

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "convert") return corvane::runConvertCommand(argc - 2, argv + 2);
  std::fprintf(stderr,
               "usage: corvane-out convert JOB -o STREAM [--machine NAME] [--angle MM] "
               "[--closed MM]\n"
               "                           [--intermediate FILE] [--preview FILE.svg]\n");
  return command == "--help" || command == "help" ? 0 : 2;
}

// Starts the program named on its command line the way the tool window
// starts the output program, and ends at once: 0 when it started, 1 (with
// the reason on stderr) when it did not.
#include <windows.h>

#include <cstdio>
#include <string>

#include "toolwindow/app/process_starter_win32.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  corvane::toolwindow::ProcessStarter starter;
  const corvane::toolwindow::ToolStatus started = starter.Start(argv[1]);
  if (started) return 0;
  std::fprintf(stderr, "%s\n", started.error().reason.c_str());
  return 1;
}

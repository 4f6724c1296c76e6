#pragma once

#include <filesystem>

namespace corvane::toolwindow {

// corvane DRAWING [--select all|none|NAME,...] [--dir DIR] [--build X6|X3|X4]
//                 [--no-handoff] [--picture FILE.svg] [--print FILE.svg] COMMAND...
//
// The tool window on a terminal, over the stand-in drawing host: opens the
// drawing (HPGL, or SVG when its name ends in .svg) as the host's document,
// selects shapes (default: all), starts the tool window as the program
// does, and presses its buttons in the order of the commands: cut-plot,
// trace MM, mark, cut-contour, delete-contour, lang. The job file and
// Config.ini are in DIR (default: the current directory); the output
// program is corvane-out in
// programDirectory. After each successful Cut/Plot and Cut Contour the
// hand-off runs `corvane-out run DIR` unless --no-handoff. --picture draws
// the document after the last command; --print writes an SVG drawing as it
// is to be printed, with the registration marks, once every command did
// all it set out to do. A step that a command skipped (the X6 trace goes on
// past a failed host step) is noted on stderr after it.
//
// Exit status 0 when every command did all it set out to do, 1 otherwise,
// 2 for a bad command line.
int RunToolCommandLine(int argc, char** argv, const std::filesystem::path& programDirectory);

}  // namespace corvane::toolwindow

#pragma once

#include <string_view>

namespace corvane::toolwindow {

// The three tool-window programs are one source built against three versions
// of the host's object model. Every behaviour that differs between them is
// asked of this value, so the difference lives in one place.
enum class BuildVariant { X6, X3, X4 };

// The program's name, also the caption of its ordinary message boxes.
std::string_view ProgramTitle(BuildVariant build);

// The class id of the host application the program binds to.
std::string_view ApplicationClassId(BuildVariant build);

// X6 toggles between the languages; X3 and X4 always switch to Chinese.
bool LanguageButtonToggles(BuildVariant build);

// X6 copies each boundary onto the trace layer and deletes the original;
// X3 and X4 leave it where the boundary command put it.
bool CopiesBoundaryToTraceLayer(BuildVariant build);

// X6 skips a failed host step of a trace and goes on; X3 and X4 stop and
// report it.
bool TraceSkipsFailedSteps(BuildVariant build);

}  // namespace corvane::toolwindow

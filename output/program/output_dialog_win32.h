#pragma once

#include <windows.h>

#include <filesystem>

namespace corvane {

// Exit codes of the program.
inline constexpr int kExitClosed = 0;       // the operator closed the dialog
inline constexpr int kExitRefused = 1;      // a start-up check refused to go on
inline constexpr int kExitNoResources = 2;  // no language library or no dialog in it

// The output dialog from the language library, shown modally until the
// operator closes it. Returns one of the exit codes above.
int runOutputDialog(HMODULE library, const std::filesystem::path& programDirectory);

}  // namespace corvane

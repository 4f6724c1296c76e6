#pragma once

#include <filesystem>
#include <string_view>

#include "toolwindow/context/tool_failure.h"

// The job file as the output program must find it: whole or not at all.
namespace corvane::toolwindow {

// Clears the job file of an earlier export before a new one, so a job file
// found afterwards is this export's.
ToolStatus RemoveEarlierJobFile(const std::filesystem::path& jobFile);

// Removes what an export that failed half-way left: a job file without its
// instruction lines is no job, and the output program must not find it.
void DiscardJobFile(const std::filesystem::path& jobFile);

// Puts the instruction lines in front of every byte the export wrote. The
// lines go into a new file beside the job file together with the plot data,
// and that file then replaces the job file: the plot data is never
// overwritten and the output program never reads a half-written job. Fails
// when the export left no file, or the file cannot be read, written or
// replaced; the replacement is then removed and the job file left as the
// export wrote it, for the caller to discard.
ToolStatus PrependJobLines(const std::filesystem::path& jobFile, std::string_view lines);

}  // namespace corvane::toolwindow

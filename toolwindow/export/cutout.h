#pragma once

#include <filesystem>

#include "toolwindow/context/program_starter.h"
#include "toolwindow/context/tool_context.h"

// Writing the job file for the output program, and handing it over.
namespace corvane::toolwindow {

// The selection through the host's PLT export, with the DB corner line.
bool ExportCutPlot(ToolContext& context, const std::filesystem::path& jobFile);
bool WriteSelectionFrame(ToolContext& context, const std::filesystem::path& jobFile);

// The traced contour through the same export, with the TB and SB lines.
bool ExportContourCut(ToolContext& context, const std::filesystem::path& jobFile);
bool WriteMarkFrame(ToolContext& context, const std::filesystem::path& jobFile);

// The output program beside the tool window: an ordinary file of that name.
bool OutputProgramPresent(const std::filesystem::path& outputProgram);

// Starts it without waiting; a start that fails is reported to the operator.
bool StartOutputProgram(ToolContext& context, ProgramStarter& starter,
                        const std::filesystem::path& outputProgram);

}  // namespace corvane::toolwindow

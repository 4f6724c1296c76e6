#pragma once

#include <filesystem>
#include <memory>

#include "common/settings/module_ini.h"
#include "toolwindow/builds/build_variant.h"
#include "toolwindow/context/program_starter.h"
#include "toolwindow/context/tool_context.h"
#include "toolwindow/context/tool_operator.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/host/drawing_host.h"
#include "toolwindow/lang/apply_language.h"
#include "toolwindow/lang/lang.h"
#include "toolwindow/views/window_views.h"

namespace corvane::toolwindow {

class frmTrace;

// The files the tool window works with.
struct ProgramPaths {
  std::filesystem::path jobFile;
  std::filesystem::path outputProgram;
  std::filesystem::path iniFile;
};

// The job file, the output program and Config.ini in the program directory.
ProgramPaths ProgramPathsIn(const std::filesystem::path& programDirectory);

// The program-wide state both windows share: the build, the paths, the
// language, the settings file, the contour module's remembered layer, and
// the one trace settings window, which comes and goes while the main window
// stays.
class ToolProgram {
 public:
  ToolProgram(BuildVariant build, ProgramPaths paths, host::DrawingHost& host, ToolOperator& op,
              ProgramStarter& starter, const TextTable& texts, MainWindowView& mainWindow,
              TraceWindowFactory& traceWindows);
  ~ToolProgram();
  ToolProgram(const ToolProgram&) = delete;
  ToolProgram& operator=(const ToolProgram&) = delete;

  // What the operations of the export and contour modules work with.
  ToolContext Context() { return {host_, op_, lang, ini, build}; }
  // What a language switch writes into.
  LanguageTargets Languages();

  // The trace settings window, or null while it does not exist.
  frmTrace* TraceWindow() const { return trace_.get(); }
  // The trace settings window; made hidden first when it does not exist,
  // which runs its load. Holding the result keeps the window's logic alive
  // while one of its handlers discards the window.
  std::shared_ptr<frmTrace> LoadTraceWindow();
  // Discards the trace settings window, if there is one.
  void UnloadTraceWindow();

  // A message with the program's title as caption.
  void ShowMessage(std::int32_t textNumber, MessageIcon icon);

  const BuildVariant build;
  const ProgramPaths paths;
  Lang lang;
  settings::ModuleIni ini;
  ZevaRaraz zevaRaraz;
  ProgramStarter& starter;
  MainWindowView& mainWindow;

 private:
  host::DrawingHost& host_;
  ToolOperator& op_;
  TraceWindowFactory& traceWindows_;
  std::shared_ptr<frmTrace> trace_;
};

}  // namespace corvane::toolwindow

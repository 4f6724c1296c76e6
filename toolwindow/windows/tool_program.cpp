#include "toolwindow/windows/tool_program.h"

#include <utility>

#include "common/job_contract.h"
#include "toolwindow/windows/frm_trace.h"

namespace corvane::toolwindow {

ProgramPaths ProgramPathsIn(const std::filesystem::path& programDirectory) {
  return {programDirectory / job::kJobFileName, programDirectory / job::kOutputProgramImage,
          settings::configFileIn(programDirectory)};
}

ToolProgram::ToolProgram(BuildVariant buildVariant, ProgramPaths programPaths,
                         host::DrawingHost& host, ToolOperator& op, ProgramStarter& programStarter,
                         const TextTable& texts, MainWindowView& main,
                         TraceWindowFactory& traceWindows)
    : build(buildVariant),
      paths(std::move(programPaths)),
      lang(texts),
      starter(programStarter),
      mainWindow(main),
      host_(host),
      op_(op),
      traceWindows_(traceWindows) {}

ToolProgram::~ToolProgram() = default;

std::shared_ptr<frmTrace> ToolProgram::LoadTraceWindow() {
  if (trace_) return trace_;
  // The window exists before its load runs: the load's language step sets
  // this very window's captions instead of making another one.
  trace_ = std::make_shared<frmTrace>(*this, traceWindows_.CreateTraceWindow());
  const std::shared_ptr<frmTrace> loading = trace_;
  loading->Form_Load();
  return loading;
}

LanguageTargets ToolProgram::Languages() {
  return {mainWindow,
          [this] {
            std::shared_ptr<frmTrace> trace = LoadTraceWindow();
            // The view lives as long as the window's logic that owns it.
            return std::shared_ptr<TraceWindowView>(trace, &trace->view());
          },
          lang,
          ini,
          paths.iniFile,
          build};
}

void ToolProgram::UnloadTraceWindow() {
  if (!trace_) return;
  const std::shared_ptr<frmTrace> closing = std::move(trace_);
  closing->view().Close();
}

void ToolProgram::ShowMessage(std::int32_t textNumber, MessageIcon icon) {
  op_.ShowMessage(lang.LangText(textNumber), icon, ProgramTitle(build));
}

}  // namespace corvane::toolwindow

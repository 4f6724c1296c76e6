#include "toolwindow/windows/frm_main.h"

#include <memory>

#include "toolwindow/export/cutout.h"
#include "toolwindow/lang/apply_language.h"
#include "toolwindow/windows/frm_trace.h"
#include "toolwindow/windows/tool_program.h"

namespace corvane::toolwindow {

namespace {

constexpr std::int32_t kTextOutputProgramMissing = 21;

// The hand-off both exports share: the output program must be there before
// the host is asked anything, and it starts only after a whole export.
template <class Export>
bool ExportAndHandOff(ToolProgram& program, Export exportJob) {
  if (!OutputProgramPresent(program.paths.outputProgram)) {
    program.ShowMessage(kTextOutputProgramMissing, MessageIcon::Warning);
    return false;
  }
  ToolContext context = program.Context();
  {
    const host::HostCommand command(context.host);
    if (!exportJob(context, program.paths.jobFile)) return false;
  }
  return StartOutputProgram(context, program.starter, program.paths.outputProgram);
}

}  // namespace

void frmMain::Form_Load() {
  program_.mainWindow.ClearIcon();
  program_.mainWindow.MakeTopmost();
  ApplyStartupLanguage(program_.Languages());
}

bool frmMain::cmdCutPlot_Click() { return ExportAndHandOff(program_, ExportCutPlot); }

bool frmMain::cmdCutout_Click() { return ExportAndHandOff(program_, ExportContourCut); }

bool frmMain::cmdMark_Click() {
  ToolContext context = program_.Context();
  const host::HostCommand command(context.host);
  return program_.zevaRaraz.AddMarks(context);
}

void frmMain::cmdTrace_Click() {
  const std::shared_ptr<frmTrace> trace = program_.LoadTraceWindow();
  trace->view().ShowModal();
}

void frmMain::cmdLang_Click() { LanguageButtonClick(program_.Languages()); }

void frmMain::Form_Unload() { program_.UnloadTraceWindow(); }

}  // namespace corvane::toolwindow

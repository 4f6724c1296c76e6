#pragma once

namespace corvane::toolwindow {

class ToolProgram;

// The tool window's main window: start-up and its five buttons. The click
// handlers say whether the command did all it set out to do; the window
// itself ignores that, the command line reports it.
class frmMain {
 public:
  explicit frmMain(ToolProgram& program) : program_(program) {}

  // Icon, topmost, then the start-up language, which also makes the trace
  // settings window.
  void Form_Load();
  // The selection to the output program.
  bool cmdCutPlot_Click();
  // The traced contour and its marks' frame to the output program.
  bool cmdCutout_Click();
  bool cmdMark_Click();
  // Shows the trace settings window modally, making it first if needed.
  void cmdTrace_Click();
  void cmdLang_Click();
  // Closes the trace settings window with the main window.
  void Form_Unload();

 private:
  ToolProgram& program_;
};

}  // namespace corvane::toolwindow

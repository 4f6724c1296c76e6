#pragma once

#include <windows.h>

#include <memory>

#include "toolwindow/app/window_base_win32.h"
#include "toolwindow/views/window_views.h"
#include "toolwindow/windows/tool_program.h"

namespace corvane::toolwindow {

// Makes frmTrace on the screen: hidden, owned by the main window (so it has
// no task-bar entry of its own), centred on the screen. The windows hand
// their clicks and scroll moves to the program's trace settings form, and
// an operator who closes one has the program discard it.
class TraceWindows final : public TraceWindowFactory {
 public:
  explicit TraceWindows(const WindowBase& owner) : owner_(owner) {}

  // The program whose forms the windows serve; set before the first window.
  void attach(ToolProgram& program) { program_ = &program; }
  ToolProgram* program() const { return program_; }

  std::unique_ptr<TraceWindowView> CreateTraceWindow() override;

  // The trace settings window while it is shown modally, otherwise null.
  HWND modalWindow() const { return modal_; }
  void setModalWindow(HWND window) { modal_ = window; }

 private:
  const WindowBase& owner_;
  ToolProgram* program_ = nullptr;
  HWND modal_ = nullptr;
};

}  // namespace corvane::toolwindow

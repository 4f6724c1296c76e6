// Corvane-X6, Corvane-X3 and Corvane-X4: the tool window. One source; the
// build names the variant (CORVANE_BUILD_VARIANT). The program shows its
// main window modally and ends when it closes.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "common/win32/program_directory.h"
#include "toolwindow/binding/automation_host_win32.h"
#include "toolwindow/binding/com_apartment_win32.h"
#include "toolwindow/builds/build_variant.h"
#include "toolwindow/windows/frm_main.h"
#include "toolwindow/windows/tool_program.h"
#include "toolwindow/app/main_window_win32.h"
#include "toolwindow/app/message_box_tool_operator_win32.h"
#include "toolwindow/app/process_starter_win32.h"
#include "toolwindow/app/resource_text_table_win32.h"
#include "toolwindow/app/trace_window_win32.h"

#ifndef CORVANE_BUILD_VARIANT
#error "CORVANE_BUILD_VARIANT must name the build: X6, X3 or X4"
#endif

namespace {

using namespace corvane::toolwindow;

constexpr BuildVariant kBuild = BuildVariant::CORVANE_BUILD_VARIANT;

int runToolWindow() {
  // Every host call comes from this thread; the apartment outlives the host.
  const corvane::host::ComApartment apartment;
  if (!apartment.ok()) throw std::runtime_error("COM cannot be started on this thread.");
  corvane::host::AutomationHost host(
      corvane::host::ApplicationConnector(ApplicationClassId(kBuild)));
  const ResourceTextTable texts(GetModuleHandleW(nullptr));
  MessageBoxToolOperator op;
  ProcessStarter starter;
  MainWindow mainWindow;
  TraceWindows traceWindows(mainWindow);
  ToolProgram program(kBuild, ProgramPathsIn(corvane::programDirectory()), host, op, starter, texts,
                      mainWindow, traceWindows);
  traceWindows.attach(program);
  op.setOwner([&] {
    HWND modal = traceWindows.modalWindow();
    return modal ? modal : mainWindow.handle();
  });
  frmMain form(program);
  return mainWindow.Run(form);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The manifest asks for version 6 of the common controls.
  InitCommonControls();
  setFailureCaption(ProgramTitle(kBuild));
  try {
    return runToolWindow();
  } catch (const std::exception& failure) {
    showFailure(failure.what());
  } catch (...) {
    showFailure("The tool window stopped on an unexpected error.");
  }
  return 1;
}

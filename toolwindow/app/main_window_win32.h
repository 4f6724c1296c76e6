#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "toolwindow/app/window_base_win32.h"
#include "toolwindow/views/window_views.h"
#include "toolwindow/windows/frm_main.h"

namespace corvane::toolwindow {

// frmMain on the screen: a fixed dialog frame without minimise and maximise
// boxes, five buttons in front of their three group boxes. It only moves
// captions and clicks between the controls and the form's logic.
class MainWindow final : public CaptionedWindow<MainWindowView, MainControl> {
 public:
  MainWindow();

  // Makes the window where the system places new windows (its creation
  // runs the form's load), shows it and runs the program's messages until it
  // is closed. Returns the program's exit code.
  int Run(frmMain& form);

  void MakeTopmost() override;

 private:
  void onCreate() override;
  void onClick(int id) override;
  void onClose() override;
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  frmMain* form_ = nullptr;
  UniqueFont font_;
};

}  // namespace corvane::toolwindow

#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/win32/control_text.h"

// One-line wrappers over the controls of a dialog, addressed by id. Texts
// are UTF-8.
namespace corvane {

class DialogControls {
 public:
  explicit DialogControls(HWND dialog) : dialog_(dialog) {}

  HWND item(int id) const { return GetDlgItem(dialog_, id); }
  LRESULT send(int id, UINT message, WPARAM w = 0, LPARAM l = 0) const {
    return SendDlgItemMessageW(dialog_, id, message, w, l);
  }

  std::string text(int id) const { return controlText(dialog_, id); }
  void setText(int id, std::string_view text) const { setControlText(dialog_, id, text); }

  bool checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
  void setChecked(int id, bool on) const {
    CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
  }
  void show(int id, bool visible) const { ShowWindow(item(id), visible ? SW_SHOW : SW_HIDE); }
  void setReadOnly(int id, bool readOnly) const {
    send(id, EM_SETREADONLY, readOnly ? TRUE : FALSE);
  }

  // Drop-down lists: -1 means no selection.
  void fillList(int id, const std::vector<std::string>& items, int selected) const;
  int listSelection(int id) const { return static_cast<int>(send(id, CB_GETCURSEL)); }

 private:
  HWND dialog_;
};

}  // namespace corvane

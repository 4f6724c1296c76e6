#include "output/program/dialog_controls_win32.h"

#include "common/win32/wide_text.h"

namespace corvane {

void DialogControls::fillList(int id, const std::vector<std::string>& items, int selected) const {
  send(id, CB_RESETCONTENT);
  for (const std::string& entry : items) {
    const std::wstring wide = wideText(entry);
    send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  send(id, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

}  // namespace corvane

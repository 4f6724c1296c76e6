#include "output/program/dialog_controls_win32.h"

#include "common/wide_text_win32.h"

namespace corvane {

std::string DialogControls::text(int id) const {
  const int length = GetWindowTextLengthW(item(id));
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = GetDlgItemTextW(dialog_, id, buffer.data(), length + 1);
  buffer.resize(copied);
  return utf8Text(buffer);
}

void DialogControls::setText(int id, std::string_view text) const {
  SetDlgItemTextW(dialog_, id, wideText(text).c_str());
}

void DialogControls::fillList(int id, const std::vector<std::string>& items, int selected) const {
  send(id, CB_RESETCONTENT);
  for (const std::string& entry : items) {
    const std::wstring wide = wideText(entry);
    send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  send(id, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

}  // namespace corvane

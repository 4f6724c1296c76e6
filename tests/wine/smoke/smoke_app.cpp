// The smallest real Win32 program the bench can drive: a dialog with a name
// field and a Greet button. Greet asks in a message box whether to finish;
// OK ends the program with SMOKE_EXIT_CONFIRMED, Cancel says so in the dialog.
#include <windows.h>

#include <string>

#include "tests/wine/smoke/smoke_ids.h"

namespace {

std::wstring dialogItemText(HWND dialog, int id) {
  const int length = GetWindowTextLengthW(GetDlgItem(dialog, id));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetDlgItemTextW(dialog, id, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void onGreet(HWND dialog) {
  const std::wstring question = L"Hello, " + dialogItemText(dialog, IDC_EDIT_NAME) + L"! Finish?";
  if (MessageBoxW(dialog, question.c_str(), L"Greeting", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
    EndDialog(dialog, SMOKE_EXIT_CONFIRMED);
  } else {
    SetDlgItemTextW(dialog, IDC_STATIC_STATUS, L"Not yet");
  }
}

INT_PTR CALLBACK smokeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_BUTTON_GREET:
      onGreet(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return static_cast<int>(
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SMOKE), nullptr, smokeDialog, 0));
}

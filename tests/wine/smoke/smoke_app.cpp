// The smallest real Win32 program the bench can drive: a dialog with a name
// field and a Greet button. Greet asks in a message box whether to finish;
// OK ends the program with SMOKE_EXIT_CONFIRMED, Cancel says so in the dialog.
// A port list reports the chosen port in the status line, and a check box
// makes the distance field editable, as the output program's dialog does.
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

void onInit(HWND dialog) {
  for (const wchar_t* port : {L"COM1", L"COM5", L"USB001"}) {
    SendDlgItemMessageW(dialog, IDC_COMBO_PORT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(port));
  }
  SendDlgItemMessageW(dialog, IDC_COMBO_PORT, CB_SETCURSEL, 0, 0);
  SetDlgItemTextW(dialog, IDC_EDIT_DISTANCE, L"1.00");
}

void onPortChosen(HWND dialog) {
  SetDlgItemTextW(dialog, IDC_STATIC_STATUS,
                  (L"Port: " + dialogItemText(dialog, IDC_COMBO_PORT)).c_str());
}

void onOvercut(HWND dialog) {
  const bool on = IsDlgButtonChecked(dialog, IDC_CHECK_OVERCUT) == BST_CHECKED;
  SendDlgItemMessageW(dialog, IDC_EDIT_DISTANCE, EM_SETREADONLY, on ? FALSE : TRUE, 0);
}

INT_PTR CALLBACK smokeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    onInit(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_BUTTON_GREET:
      onGreet(dialog);
      return TRUE;
    case IDC_COMBO_PORT:
      if (HIWORD(wParam) == CBN_SELCHANGE) onPortChosen(dialog);
      return TRUE;
    case IDC_CHECK_OVERCUT:
      onOvercut(dialog);
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

// CORVANE-OUT: the output program. The tool window starts it beside
// itself after writing the job file; it shows one dialog from the
// language library that Config.ini names, and ends when that closes.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>

#include "common/settings/config_keys.h"
#include "common/settings/output_settings.h"
#include "common/win32/program_directory.h"
#include "common/win32/unique_handle.h"
#include "output/program/message_box_operator_win32.h"
#include "output/program/output_dialog_win32.h"

namespace {

// Without its library the program has no texts of its own, so this one
// says it in both languages.
void tellLibraryMissing(const std::filesystem::path& library, DWORD error) {
  const std::wstring name = library.filename().wstring();
  const std::wstring text = L"CORVANE-OUT cannot start: its language library " + name +
                            L" is missing or damaged (error " + std::to_wstring(error) +
                            L"). Install the program again.\n\nCORVANE-OUT 无法启动：语言库 " +
                            name + L" 缺失或已损坏。请重新安装本程序。";
  MessageBoxW(nullptr, text.c_str(), corvane::kProgramCaption, MB_OK | MB_ICONSTOP);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::filesystem::path directory = corvane::programDirectory();
  const std::string language =
      corvane::settings::readLanguageCode(directory / corvane::settings::kConfigFileName);
  // Beside the program, not wherever the system would search for the name.
  const std::filesystem::path libraryPath =
      directory /
      (corvane::settings::choosesEnglishLibrary(language) ? L"lang_en.dll" : L"lang_ch.dll");
  corvane::UniqueLibrary library(LoadLibraryExW(
      libraryPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!library) {
    tellLibraryMissing(libraryPath, GetLastError());
    return corvane::kExitNoResources;
  }
  const int result = corvane::runOutputDialog(library.get(), directory);
  if (result == corvane::kExitNoResources) {
    tellLibraryMissing(libraryPath, GetLastError());
  }
  return result;
}

#include "tests/wine/output_program/program_directory.h"

#include <atomic>
#include <fstream>
#include <iterator>

namespace corvane::wine {
namespace {

std::filesystem::path linuxPath(std::string_view path) { return wide("Z:" + std::string(path)); }

std::optional<std::string> environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  if (GetEnvironmentVariableW(name, value, MAX_PATH) == 0) return std::nullopt;
  return utf8(value);
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchProgramBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  // A message box is the dialog class with its text in the static 0xFFFF.
  if (owner != search->processId || std::wstring_view(className) != L"#32770" ||
      !IsWindowVisible(window) || GetDlgItem(window, 0xFFFF) == nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

ProgramDirectory::ProgramDirectory(std::wstring_view suffix) {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::filesystem::path(temp) / (L"corvane-out-" + std::to_wstring(GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(counter++) + std::wstring(suffix));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
  const std::filesystem::path built = linuxPath(CORVANE_OUT_DIR);
  for (const char* name : {"CORVANE-OUT.exe", "lang_en.dll", "lang_ch.dll"}) {
    std::filesystem::copy_file(built / name, path_ / name);
  }
}

ProgramDirectory::~ProgramDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool ProgramDirectory::has(std::string_view name) const {
  std::error_code ignored;
  return std::filesystem::exists(file(name), ignored);
}

void ProgramDirectory::write(std::string_view name, std::string_view content) const {
  std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string ProgramDirectory::read(std::string_view name) const {
  std::ifstream in(file(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ProgramDirectory::remove(std::string_view name) const {
  std::error_code ignored;
  std::filesystem::remove(file(name), ignored);
}

std::string ProgramDirectory::setting(const char* section, const char* key) const {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), L"(missing)", value, 256,
                           file("Config.ini").c_str());
  return utf8(value);
}

ToolWindow::ToolWindow()
    : window_(CreateWindowExW(0, L"STATIC", L"CORVANE", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {}

ToolWindow::~ToolWindow() {
  if (window_) DestroyWindow(window_);
}

CutterLine::CutterLine(const wchar_t* receivedVariable, const wchar_t* gateVariable) {
  if (std::optional<std::string> received = environment(receivedVariable)) {
    path_ = linuxPath(*received);
  }
  if (gateVariable) {
    if (std::optional<std::string> gate = environment(gateVariable)) gate_ = linuxPath(*gate);
  }
}

void CutterLine::openGate() const { std::ofstream(gate_).put('\n'); }

void CutterLine::mark() { start_ = wholeFile(path_).size(); }

std::string CutterLine::sinceMark() const {
  const std::string all = wholeFile(path_);
  return all.size() > start_ ? all.substr(start_) : std::string();
}

bool CutterLine::receives(std::string_view expected) const {
  // The whole text, and nothing after it a moment later.
  if (!waitUntil([&] { return sinceMark().size() >= expected.size(); })) return false;
  Sleep(50);
  return sinceMark() == expected;
}

std::optional<MessageBoxSeen> programMessageBox(DWORD processId,
                                                std::chrono::milliseconds patience) {
  BoxSearch search{processId, nullptr};
  const bool seen = waitUntil(
      [&] {
        EnumWindows(matchProgramBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      patience);
  if (!seen) return std::nullopt;
  return MessageBoxSeen{search.found, windowText(search.found), controlText(search.found, 0xFFFF)};
}

bool addSpoolerPort(const std::string& name) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                      0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring value = wide(name);
  const wchar_t empty[] = L"";
  const bool stored =
      RegSetValueExW(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(empty),
                     sizeof empty) == ERROR_SUCCESS;
  RegCloseKey(key);
  return stored;
}

std::optional<std::string> artefactFolder() { return environment(L"CORVANE_ARTIFACTS"); }

std::string wholeFile(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    content.append(buffer, got);
  CloseHandle(file);
  return content;
}

}  // namespace corvane::wine

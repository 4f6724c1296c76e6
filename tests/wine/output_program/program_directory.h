#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tests/wine/driver/gui_driver.h"

// What the output program tests set up around CORVANE-OUT.exe: a fresh copy
// of its directory, the tool window it looks for, and the far end of the
// cutter's serial line.
namespace corvane::wine {

// A private copy of the program and both language libraries in a new
// temporary directory, removed afterwards. Its name ends in `suffix`.
class ProgramDirectory {
 public:
  explicit ProgramDirectory(std::wstring_view suffix = {});
  ~ProgramDirectory();
  ProgramDirectory(const ProgramDirectory&) = delete;
  ProgramDirectory& operator=(const ProgramDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path program() const { return path_ / "CORVANE-OUT.exe"; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }
  bool has(std::string_view name) const;

  void write(std::string_view name, std::string_view content) const;
  std::string read(std::string_view name) const;
  void remove(std::string_view name) const;

  // A value of Config.ini as the system's profile functions read it.
  std::string setting(const char* section, const char* key) const;

 private:
  std::filesystem::path path_;
};

// A top-level window titled "CORVANE", as the tool window is.
class ToolWindow {
 public:
  ToolWindow();
  ~ToolWindow();
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;

 private:
  HWND window_;
};

// The bytes that reach the far end of a mapped COM port; the test run
// appends them to a Linux file named by an environment variable. A gated
// line takes nothing until its gate is opened.
class CutterLine {
 public:
  explicit CutterLine(const wchar_t* receivedVariable, const wchar_t* gateVariable = nullptr);
  bool available() const { return !path_.empty(); }
  void openGate() const;
  // Forgets what arrived so far.
  void mark();
  std::string sinceMark() const;
  // Waits until exactly `expected` has arrived since the mark.
  bool receives(std::string_view expected) const;

 private:
  std::filesystem::path path_;
  std::filesystem::path gate_;
  std::size_t start_ = 0;
};

// The program's visible message box, shown with or without its dialog.
std::optional<MessageBoxSeen> programMessageBox(DWORD processId,
                                                std::chrono::milliseconds patience = kPatience);

// A printer port the spooler lists from now on, for the whole prefix.
bool addSpoolerPort(const std::string& name);

// A file another program keeps appending to or replaces, read with the
// system's calls and shared every way so the writer is never refused.
std::string wholeFile(const std::filesystem::path& path);

// Linux folder for test artefacts, given by the test run.
std::optional<std::string> artefactFolder();

}  // namespace corvane::wine

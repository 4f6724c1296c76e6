#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/profile.h"
#include "support/temp_dir.h"
#include "toolwindow/lang/builtin_text_table.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/windows/memory_windows.h"
#include "toolwindow/windows/frm_main.h"
#include "toolwindow/windows/frm_trace.h"
#include "toolwindow/windows/tool_program.h"

namespace corvane::toolwindow::testing {

struct ShownMessage {
  std::string text;
  MessageIcon icon;
  std::string caption;
};

// Records the message boxes; whileShown runs as the box stands on screen.
class RecordingToolOperator final : public ToolOperator {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override {
    messages.push_back({std::string(text), icon, std::string(caption)});
    if (whileShown) whileShown();
  }
  std::vector<ShownMessage> messages;
  std::function<void()> whileShown;
};

class RecordingStarter final : public ProgramStarter {
 public:
  ToolStatus Start(const std::filesystem::path& program) override {
    started.push_back(program);
    return {};
  }
  std::vector<std::filesystem::path> started;
};

// The tool window over the stand-in host, in a fresh program directory.
class ToolWindowTest : public ::testing::Test {
 protected:
  void Start(BuildVariant build = BuildVariant::X6) {
    program = std::make_unique<ToolProgram>(build, ProgramPathsIn(dir.path()), host, op, starter,
                                            texts, mainWindow, traceWindows);
    main = std::make_unique<frmMain>(*program);
    main->Form_Load();
  }
  void AddOutputProgram() { corvane::testing::writeFile(dir.file("CORVANE-OUT.exe"), "program"); }

  frmTrace& trace() { return *program->TraceWindow(); }
  MemoryTraceWindow& traceView() { return static_cast<MemoryTraceWindow&>(trace().view()); }
  std::string Ini(std::string_view section, std::string_view key) const {
    return settings::readProfileString(dir.file("Config.ini"), section, key, "(missing)", 144);
  }
  std::string Offset() const { return Ini("TRACE", "OFFSET"); }

  corvane::testing::TempDir dir;
  standin::StandInHost host;
  RecordingToolOperator op;
  RecordingStarter starter;
  BuiltInTextTable texts;
  MemoryMainWindow mainWindow;
  MemoryTraceWindows traceWindows;
  std::unique_ptr<ToolProgram> program;
  std::unique_ptr<frmMain> main;
};

}  // namespace corvane::toolwindow::testing

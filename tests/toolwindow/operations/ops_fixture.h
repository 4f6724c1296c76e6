#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/settings/module_ini.h"
#include "support/temp_dir.h"
#include "toolwindow/context/tool_context.h"
#include "toolwindow/lang/builtin_text_table.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::toolwindow::testing {

// Each message as "text [icon, caption]".
class RecordingToolOperator final : public ToolOperator {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override {
    shown.push_back(Shown(text, icon, caption));
  }
  static std::string Shown(std::string_view text, MessageIcon icon, std::string_view caption) {
    return std::string(text) + (icon == MessageIcon::Warning ? " [warning, " : " [critical, ") +
           std::string(caption) + "]";
  }
  std::vector<std::string> shown;
};

// One stand-in document ("Layer 1" current), Config.ini and the job file in
// a fresh directory.
class OpsTest : public ::testing::Test {
 protected:
  OpsTest() { ini.IniFilePath = dir.path() / "Config.ini"; }

  ToolContext Context(BuildVariant build = BuildVariant::X6) {
    return {host, op, lang, ini, build};
  }
  std::string Text(std::int32_t number, MessageIcon icon,
                   BuildVariant build = BuildVariant::X6) const {
    return RecordingToolOperator::Shown(lang.LangText(number), icon, ProgramTitle(build));
  }
  std::vector<std::string> Texts(std::size_t n, std::int32_t number, MessageIcon icon) const {
    return std::vector<std::string>(n, Text(number, icon));
  }
  std::ptrdiff_t Calls(std::string_view operation) const {
    const auto names = host.operationsCalled();
    return std::count(names.begin(), names.end(), operation);
  }
  // The texts of every call of that operation.
  std::vector<std::string> CallTexts(std::string_view operation) const {
    std::vector<std::string> found;
    for (const auto& call : host.calls()) {
      if (call.operation == operation) found.push_back(call.text());
    }
    return found;
  }
  std::string LastCall() const { return host.calls().empty() ? "" : host.calls().back().operation; }
  // The active page in one line: each layer with its shapes, "-" after a
  // layer that is not printable, "*" before the current one.
  std::string Page() const {
    std::string page;
    for (const auto& layer : host.layers()) {
      if (!page.empty()) page += ' ';
      if (layer.name == host.currentLayerName()) page += '*';
      page += layer.name + (layer.printable ? "[" : "-[");
      for (const auto& shape : layer.shapes) page += shape.name + ',';
      if (!layer.shapes.empty()) page.pop_back();
      page += ']';
    }
    return page;
  }
  standin::LayerView Layer(std::string_view name) const {
    for (auto& layer : host.layers()) {
      if (layer.name == name) return layer;
    }
    ADD_FAILURE() << "no layer " << name;
    return {};
  }
  std::string Job() const { return corvane::testing::readFile(job.string()); }

  corvane::testing::TempDir dir;
  std::filesystem::path job = dir.path() / "QuillonPro1.tmp";
  standin::StandInHost host;
  RecordingToolOperator op;
  BuiltInTextTable texts;
  Lang lang{texts};
  settings::ModuleIni ini;
};

}  // namespace corvane::toolwindow::testing

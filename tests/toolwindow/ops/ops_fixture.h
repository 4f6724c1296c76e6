#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/settings/module_ini.h"
#include "support/temp_dir.h"
#include "toolwindow/standin/standin_host.h"
#include "toolwindow/tool_context.h"

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

// The English messages of the operations; the full table is the language
// module's.
class MessageTexts final : public TextTable {
 public:
  std::string Load(std::int32_t identifier) const override {
    static const std::map<std::int32_t, std::string> texts = {
        {202, "Please Create or open a corelDRAW document!"},
        {203, "Please select a object!"},
        {205, "Please check the Outside value!"},
        {215, "Add mark failed,please check if the contour exists!"},
        {216, "Tracing contour failed!Please select the correct object!"},
        {218, "Please check if the contour exists!"},
        {224, "Please select the output object(s)!"}};
    const auto text = texts.find(identifier);
    return text == texts.end() ? std::string() : text->second;
  }
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
  std::vector<std::string> LayerNames() const {
    std::vector<std::string> names;
    for (const auto& layer : host.layers()) names.push_back(layer.name);
    return names;
  }
  std::ptrdiff_t LayerCount(std::string_view name) const {
    const auto names = LayerNames();
    return std::count(names.begin(), names.end(), name);
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
  MessageTexts texts;
  Lang lang{texts};
  settings::ModuleIni ini;
};

}  // namespace corvane::toolwindow::testing

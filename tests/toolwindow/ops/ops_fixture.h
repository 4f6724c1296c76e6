#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/settings/module_ini.h"
#include "support/temp_dir.h"
#include "toolwindow/lang/lang.h"
#include "toolwindow/standin/standin_host.h"
#include "toolwindow/tool_context.h"

namespace corvane::toolwindow::testing {

struct Shown {
  std::string text;
  MessageIcon icon;
  std::string caption;
  friend bool operator==(const Shown&, const Shown&) = default;
};

inline void PrintTo(const Shown& m, std::ostream* os) {
  *os << '"' << m.text << "\" " << (m.icon == MessageIcon::Warning ? "warning" : "critical")
      << " \"" << m.caption << '"';
}

class RecordingToolOperator final : public ToolOperator {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override {
    shown.push_back({std::string(text), icon, std::string(caption)});
  }
  std::vector<Shown> shown;
};

// The English messages the operations show; the full table is the language
// module's.
class MessageTexts final : public TextTable {
 public:
  std::string Load(std::int32_t identifier) const override {
    switch (identifier) {
      case 202:
        return "Please Create or open a corelDRAW document!";
      case 203:
        return "Please select a object!";
      case 205:
        return "Please check the Outside value!";
      case 215:
        return "Add mark failed,please check if the contour exists!";
      case 216:
        return "Tracing contour failed!Please select the correct object!";
      case 218:
        return "Please check if the contour exists!";
      case 224:
        return "Please select the output object(s)!";
    }
    return {};
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
  Shown Text(std::int32_t number, MessageIcon icon, BuildVariant build = BuildVariant::X6) const {
    return {lang.LangText(number), icon, std::string(ProgramTitle(build))};
  }
  std::vector<std::string> Operations() const { return host.operationsCalled(); }
  long Calls(std::string_view operation) const {
    const auto names = host.operationsCalled();
    return std::count(names.begin(), names.end(), operation);
  }
  long LayerCount(std::string_view name) const {
    const auto names = LayerNames();
    return std::count(names.begin(), names.end(), name);
  }
  std::vector<std::string> LayerNames() const {
    std::vector<std::string> names;
    for (const auto& layer : host.layers()) names.push_back(layer.name);
    return names;
  }
  const standin::LayerView& Layer(std::string_view name) const {
    layers_ = host.layers();
    for (const auto& layer : layers_) {
      if (layer.name == name) return layer;
    }
    throw std::invalid_argument("no layer " + std::string(name));
  }

  corvane::testing::TempDir dir;
  std::filesystem::path job = dir.path() / "QuillonPro1.tmp";
  standin::StandInHost host;
  RecordingToolOperator op;
  MessageTexts texts;
  Lang lang{texts};
  settings::ModuleIni ini;

 private:
  mutable std::vector<standin::LayerView> layers_;
};

}  // namespace corvane::toolwindow::testing

#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/settings/module_ini.h"
#include "toolwindow/builds/build_variant.h"
#include "toolwindow/lang/lang.h"
#include "toolwindow/views/window_views.h"

// Switching both windows between Chinese and English.
namespace corvane::toolwindow {

// What a language switch writes into: both windows' captions, Config.ini and
// the current language. The windows' logic hands these over; the switch
// knows nothing else of the program.
struct LanguageTargets {
  MainWindowView& mainWindow;
  // The trace settings window's view; makes the window (hidden) first when
  // it does not exist, which runs its load. Holding the result keeps the
  // window alive.
  std::function<std::shared_ptr<TraceWindowView>()> loadTraceWindow;
  Lang& lang;
  settings::ModuleIni& ini;
  const std::filesystem::path& iniFile;
  BuildVariant build;
};

// Sets every caption of both windows in that language, in a fixed order,
// and stores the language in Config.ini. Makes the trace settings window
// (hidden) when it does not exist; its load applies the start-up language
// before the trace window's captions are set here.
void ApplyLanguage(const LanguageTargets& targets, std::int32_t language);

// English, whatever Config.ini held.
void ApplyStartupLanguage(const LanguageTargets& targets);

// The language button: X6 switches to the language its caption names, X3
// and X4 always to Chinese.
void LanguageButtonClick(const LanguageTargets& targets);

}  // namespace corvane::toolwindow

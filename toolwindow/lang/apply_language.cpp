#include "toolwindow/lang/apply_language.h"

#include <memory>
#include <string>

#include "common/settings/config_keys.h"
#include "toolwindow/lang/texts.h"

namespace corvane::toolwindow {

namespace {

template <class Control>
struct Caption {
  Control control;
  std::int32_t text;
};

// The captions in the order they are set: the main window's, the trace
// settings window's, and last the main window's Add Mark.
constexpr Caption<MainControl> kMainCaptionsFirst[] = {
    {MainControl::cmdTrace, 1}, {MainControl::Frame1, 4},  {MainControl::cmdCutout, 17},
    {MainControl::Frame2, 22},  {MainControl::Frame3, 23}, {MainControl::cmdCutPlot, 23},
};
constexpr Caption<TraceControl> kTraceCaptions[] = {
    {TraceControl::Frame1, 6},   {TraceControl::Label1, 7},       {TraceControl::Label2, 8},
    {TraceControl::cmdTrace, 9}, {TraceControl::cmdDelTrace, 20},
};

}  // namespace

void ApplyLanguage(const LanguageTargets& targets, std::int32_t language) {
  targets.ini.IniFilePath = targets.iniFile;
  MainWindowView& main = targets.mainWindow;
  const settings::TextKey& key = settings::kLanguage;
  if (language == kLanguageChinese) {
    main.SetCaption(MainControl::cmdLang, CORVANE_TOOL_SWITCH_TO_ENGLISH);
    targets.ini.SetIniString(key.section, key.key, settings::kLanguageChinese);
  } else {
    main.SetCaption(MainControl::cmdLang, CORVANE_TOOL_SWITCH_TO_CHINESE);
    targets.ini.SetIniString(key.section, key.key, settings::kLanguageEnglish);
  }
  targets.lang.CurrentLanguage = language;

  // The captions come from the language asked for, not from CurrentLanguage:
  // making the trace window below applies the start-up language on the way.
  const auto text = [&](std::int32_t number) { return targets.lang.TextIn(language, number); };
  for (const auto& [control, number] : kMainCaptionsFirst) main.SetCaption(control, text(number));
  const std::shared_ptr<TraceWindowView> trace = targets.loadTraceWindow();
  for (const auto& [control, number] : kTraceCaptions) trace->SetCaption(control, text(number));
  main.SetCaption(MainControl::cmdMark, text(10));
}

void ApplyStartupLanguage(const LanguageTargets& targets) {
  targets.ini.IniFilePath = targets.iniFile;
  ApplyLanguage(targets, kLanguageEnglish);
}

void LanguageButtonClick(const LanguageTargets& targets) {
  if (!LanguageButtonToggles(targets.build)) {
    ApplyLanguage(targets, kLanguageChinese);
    return;
  }
  const std::string caption = targets.mainWindow.Caption(MainControl::cmdLang);
  if (caption == CORVANE_TOOL_SWITCH_TO_ENGLISH) {
    ApplyLanguage(targets, kLanguageEnglish);
  } else if (caption == CORVANE_TOOL_SWITCH_TO_CHINESE) {
    ApplyLanguage(targets, kLanguageChinese);
  }
}

}  // namespace corvane::toolwindow

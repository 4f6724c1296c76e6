#include "toolwindow/lang/apply_language.h"

#include <memory>
#include <string>

#include "common/settings/config_keys.h"
#include "toolwindow/lang/texts.h"

namespace corvane::toolwindow {

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
  main.SetCaption(MainControl::cmdTrace, text(1));
  main.SetCaption(MainControl::Frame1, text(4));
  main.SetCaption(MainControl::cmdCutout, text(17));
  main.SetCaption(MainControl::Frame2, text(22));
  main.SetCaption(MainControl::Frame3, text(23));
  main.SetCaption(MainControl::cmdCutPlot, text(23));
  const std::shared_ptr<TraceWindowView> trace = targets.loadTraceWindow();
  TraceWindowView& traceView = *trace;
  traceView.SetCaption(TraceControl::Frame1, text(6));
  traceView.SetCaption(TraceControl::Label1, text(7));
  traceView.SetCaption(TraceControl::Label2, text(8));
  traceView.SetCaption(TraceControl::cmdTrace, text(9));
  traceView.SetCaption(TraceControl::cmdDelTrace, text(20));
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

#include "toolwindow/lang/apply_language.h"

#include <memory>
#include <string>

#include "common/settings/config_keys.h"
#include "toolwindow/forms/frm_trace.h"
#include "toolwindow/lang/texts.h"

namespace corvane::toolwindow {

void ApplyLanguage(ToolProgram& program, std::int32_t language) {
  program.ini.IniFilePath = program.paths.iniFile;
  MainWindowView& main = program.mainWindow;
  const settings::TextKey& key = settings::kLanguage;
  if (language == kLanguageChinese) {
    main.SetCaption(MainControl::cmdLang, CORVANE_TOOL_SWITCH_TO_ENGLISH);
    program.ini.SetIniString(key.section, key.key, settings::kLanguageChinese);
  } else {
    main.SetCaption(MainControl::cmdLang, CORVANE_TOOL_SWITCH_TO_CHINESE);
    program.ini.SetIniString(key.section, key.key, settings::kLanguageEnglish);
  }
  program.lang.CurrentLanguage = language;

  // The captions come from the language asked for, not from CurrentLanguage:
  // making the trace window below applies the start-up language on the way.
  const auto text = [&](std::int32_t number) { return program.lang.TextIn(language, number); };
  main.SetCaption(MainControl::cmdTrace, text(1));
  main.SetCaption(MainControl::Frame1, text(4));
  main.SetCaption(MainControl::cmdCutout, text(17));
  main.SetCaption(MainControl::Frame2, text(22));
  main.SetCaption(MainControl::Frame3, text(23));
  main.SetCaption(MainControl::cmdCutPlot, text(23));
  const std::shared_ptr<frmTrace> trace = program.LoadTraceWindow();
  TraceWindowView& traceView = trace->view();
  traceView.SetCaption(TraceControl::Frame1, text(6));
  traceView.SetCaption(TraceControl::Label1, text(7));
  traceView.SetCaption(TraceControl::Label2, text(8));
  traceView.SetCaption(TraceControl::cmdTrace, text(9));
  traceView.SetCaption(TraceControl::cmdDelTrace, text(20));
  main.SetCaption(MainControl::cmdMark, text(10));
}

void ApplyStartupLanguage(ToolProgram& program) {
  program.ini.IniFilePath = program.paths.iniFile;
  ApplyLanguage(program, kLanguageEnglish);
}

void LanguageButtonClick(ToolProgram& program) {
  if (!LanguageButtonToggles(program.build)) {
    ApplyLanguage(program, kLanguageChinese);
    return;
  }
  const std::string caption = program.mainWindow.Caption(MainControl::cmdLang);
  if (caption == CORVANE_TOOL_SWITCH_TO_ENGLISH) {
    ApplyLanguage(program, kLanguageEnglish);
  } else if (caption == CORVANE_TOOL_SWITCH_TO_CHINESE) {
    ApplyLanguage(program, kLanguageChinese);
  }
}

}  // namespace corvane::toolwindow

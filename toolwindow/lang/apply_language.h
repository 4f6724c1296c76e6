#pragma once

#include <cstdint>

#include "toolwindow/forms/tool_program.h"

// Switching both windows between Chinese and English.
namespace corvane::toolwindow {

// Sets every caption of both windows in that language, in a fixed order,
// and stores the language in Config.ini. Makes the trace settings window
// (hidden) when it does not exist; its load applies the start-up language
// before the trace window's captions are set here.
void ApplyLanguage(ToolProgram& program, std::int32_t language);

// English, whatever Config.ini held.
void ApplyStartupLanguage(ToolProgram& program);

// The language button: X6 switches to the language its caption names, X3
// and X4 always to Chinese.
void LanguageButtonClick(ToolProgram& program);

}  // namespace corvane::toolwindow

#pragma once

#include "common/settings/module_ini.h"
#include "toolwindow/builds/build_variant.h"
#include "toolwindow/context/tool_operator.h"
#include "toolwindow/host/drawing_host.h"
#include "toolwindow/lang/lang.h"

namespace corvane::toolwindow {

// What every tool-window operation works with: the drawing host, the
// operator, the texts in the current language, Config.ini and the build.
struct ToolContext {
  host::DrawingHost& host;
  ToolOperator& op;
  const Lang& lang;
  const settings::ModuleIni& ini;
  BuildVariant build;
};

}  // namespace corvane::toolwindow

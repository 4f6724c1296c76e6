#pragma once

#include <cstdint>

#include "toolwindow/context/tool_context.h"
#include "toolwindow/context/tool_failure.h"

namespace corvane::toolwindow {

// Text `number` of the string table in the current language, with the
// program's title as caption.
void ShowText(ToolContext& context, std::int32_t number, MessageIcon icon);

// A failure that no text of the table covers: the operator reads which
// step failed and the host's or the system's own words for it, with the
// critical icon and the program's title. A host that is gone is told in
// the operator's words, with the technical detail after them.
void ReportFailure(ToolContext& context, const ToolFailure& failure);

}  // namespace corvane::toolwindow

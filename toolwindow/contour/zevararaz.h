#pragma once

#include <string>

#include "toolwindow/context/tool_context.h"

// The traced contour and its registration marks.
namespace corvane::toolwindow {

class ZevaRaraz {
 public:
  bool TraceContour(ToolContext& context, double offset);
  bool AddMarks(ToolContext& context);
  void DeleteContour(ToolContext& context);

  // The layer that was current when the last trace or marks run began;
  // shared by both, restored at their end.
  std::string savedLayerName;
};

}  // namespace corvane::toolwindow

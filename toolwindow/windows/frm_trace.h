#pragma once

#include <cstdint>
#include <memory>

#include "toolwindow/views/window_views.h"

namespace corvane::toolwindow {

class ToolProgram;

// What the operator does to the scroll bar. An arrow, a click in the track
// and a key all move it by one step; dragging puts it where the thumb is.
enum class ScrollMove { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

// The trace settings window: the outside offset in millimetres, the trace,
// and removing a traced contour with its marks.
class frmTrace : public std::enable_shared_from_this<frmTrace> {
 public:
  // The scroll bar shows the offset in tenths of a millimetre, sign turned:
  // 100.0 mm at the top, 0.0 at the bottom.
  static constexpr std::int32_t kScrollMinimum = -1000;
  static constexpr std::int32_t kScrollMaximum = 0;
  static constexpr std::int32_t kScrollStep = 1;

  frmTrace(ToolProgram& program, std::unique_ptr<TraceWindowView> view);

  TraceWindowView& view() { return *view_; }

  // Icon, captions, the stored offset in the text box and on the bar.
  void Form_Load();
  // The bar's position becomes the offset: text box and Config.ini.
  void VScroll1_Change();
  // The operator moves the bar; a move that changes the position runs the
  // change handler. thumbPosition counts only for ScrollMove::Thumb.
  void VScroll1_Scroll(ScrollMove move, std::int32_t thumbPosition = 0);
  // Stores the typed offset and traces with it; closes the window when the
  // trace succeeded. Returns the trace's result.
  bool cmdTrace_Click();
  void cmdDelTrace_Click();

 private:
  ToolProgram& program_;
  std::unique_ptr<TraceWindowView> view_;
};

}  // namespace corvane::toolwindow

#include "toolwindow/windows/frm_trace.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/settings/config_keys.h"
#include "toolwindow/contour/offset_text.h"
#include "toolwindow/lang/apply_language.h"
#include "toolwindow/lang/texts.h"
#include "toolwindow/windows/tool_program.h"

namespace corvane::toolwindow {

namespace {

const settings::TextKey& kOffsetKey = settings::kTraceOffset;

}  // namespace

frmTrace::frmTrace(ToolProgram& program, std::unique_ptr<TraceWindowView> view)
    : program_(program), view_(std::move(view)) {}

void frmTrace::Form_Load() {
  view_->ClearIcon();
  ApplyStartupLanguage(program_.Languages());
  const std::string stored =
      program_.ini.GetIniString(kOffsetKey.section, kOffsetKey.key, kOffsetKey.defaultText);
  view_->SetOffsetText(stored);
  view_->SetScrollMinimum(kScrollMinimum);
  view_->SetScrollMaximum(kScrollMaximum);
  view_->SetScrollStep(kScrollStep);

  const double offset = ReadOffsetNumber(stored);
  const std::optional<std::int32_t> position =
      ScrollPositionOf(offset, kScrollMinimum, kScrollMaximum);
  if (!position) {
    // An offset the bar cannot show: the bar stands at its end, and the text
    // and the file keep the stored value until the operator moves the bar.
    view_->SetScrollPosition(offset > 0 ? kScrollMinimum : kScrollMaximum);
    return;
  }
  const std::int32_t before = view_->ScrollPosition();
  view_->SetScrollPosition(*position);
  if (*position != before) VScroll1_Change();
}

void frmTrace::VScroll1_Change() {
  const double offset = -static_cast<double>(view_->ScrollPosition()) / 10.0;
  const std::string text = FormatOffset(offset);
  view_->SetOffsetText(text);
  program_.ini.SetIniString(kOffsetKey.section, kOffsetKey.key, text);
}

void frmTrace::VScroll1_Scroll(ScrollMove move, std::int32_t thumbPosition) {
  const std::int32_t before = view_->ScrollPosition();
  std::int32_t after = before;
  switch (move) {
    case ScrollMove::LineUp:
    case ScrollMove::PageUp:
      after = before - kScrollStep;
      break;
    case ScrollMove::LineDown:
    case ScrollMove::PageDown:
      after = before + kScrollStep;
      break;
    case ScrollMove::Top:
      after = kScrollMinimum;
      break;
    case ScrollMove::Bottom:
      after = kScrollMaximum;
      break;
    case ScrollMove::Thumb:
      after = thumbPosition;
      break;
  }
  after = std::clamp(after, kScrollMinimum, kScrollMaximum);
  if (after == before) return;
  view_->SetScrollPosition(after);
  VScroll1_Change();
}

bool frmTrace::cmdTrace_Click() {
  // A successful trace discards this window; its logic lives until the
  // click is handled.
  const std::shared_ptr<frmTrace> self = shared_from_this();
  view_->SetHourglass(true);
  view_->SetCaption(TraceControl::cmdTrace, CORVANE_TOOL_WAIT_CAPTION);
  view_->SetTraceButtonEnabled(false);
  program_.ini.SetIniString(kOffsetKey.section, kOffsetKey.key,
                            FormatOffset(ReadOffsetNumber(view_->OffsetText())));

  const double offset = ReadOffsetNumber(view_->OffsetText());
  ToolContext context = program_.Context();
  bool traced = false;
  {
    const host::HostCommand command(context.host);
    traced = program_.zevaRaraz.TraceContour(context, offset);
  }
  if (traced) program_.UnloadTraceWindow();
  if (program_.TraceWindow() == this) {
    view_->SetTraceButtonEnabled(true);
    view_->SetHourglass(false);
  }
  ApplyStartupLanguage(program_.Languages());
  return traced;
}

void frmTrace::cmdDelTrace_Click() {
  ToolContext context = program_.Context();
  const host::HostCommand command(context.host);
  program_.zevaRaraz.DeleteContour(context);
}

}  // namespace corvane::toolwindow

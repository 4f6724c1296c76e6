#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The tool window's two windows as the portable logic sees them. The Win32
// programs implement these over real controls and only move values between
// them and this code: no behaviour lives in the views. Setting a value never
// runs a handler; the logic runs its own handlers where a change must.
namespace corvane::toolwindow {

// The controls of frmMain whose captions the logic sets.
enum class MainControl {
  cmdTrace,
  Frame1,
  cmdCutout,
  Frame2,
  Frame3,
  cmdCutPlot,
  cmdLang,
  cmdMark
};

// The controls of frmTrace whose captions the logic sets.
enum class TraceControl { Frame1, Label1, Label2, cmdTrace, cmdDelTrace };

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void SetCaption(MainControl control, std::string_view text) = 0;
  virtual std::string Caption(MainControl control) const = 0;
  // An empty picture as the title-bar icon.
  virtual void ClearIcon() = 0;
  // Above every other window of the desktop.
  virtual void MakeTopmost() = 0;
};

class TraceWindowView {
 public:
  virtual ~TraceWindowView() = default;
  virtual void SetCaption(TraceControl control, std::string_view text) = 0;
  virtual std::string Caption(TraceControl control) const = 0;
  virtual void ClearIcon() = 0;

  // txtOutside.
  virtual std::string OffsetText() const = 0;
  virtual void SetOffsetText(std::string_view text) = 0;

  // VScroll1: its range, the step of an arrow or a track click, the position.
  virtual void SetScrollMinimum(std::int32_t minimum) = 0;
  virtual void SetScrollMaximum(std::int32_t maximum) = 0;
  virtual void SetScrollStep(std::int32_t step) = 0;
  virtual std::int32_t ScrollPosition() const = 0;
  virtual void SetScrollPosition(std::int32_t position) = 0;

  // The wait state's pointer and button.
  virtual void SetHourglass(bool shown) = 0;
  virtual void SetTraceButtonEnabled(bool enabled) = 0;

  // Shows the window over the main window and blocks it until this window is
  // closed. The window's handlers run meanwhile.
  virtual void ShowModal() = 0;
  // Discards the window; nothing is shown of it any more.
  virtual void Close() = 0;
};

// Makes a new trace settings window, hidden.
class TraceWindowFactory {
 public:
  virtual ~TraceWindowFactory() = default;
  virtual std::unique_ptr<TraceWindowView> CreateTraceWindow() = 0;
};

}  // namespace corvane::toolwindow

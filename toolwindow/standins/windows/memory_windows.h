#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "toolwindow/views/window_views.h"

// Windows that exist only as what they would show: for the tool window on a
// terminal, where the operator types commands instead of clicking, and for
// the tests, which read the windows back.
namespace corvane::toolwindow {

class MemoryMainWindow final : public MainWindowView {
 public:
  void SetCaption(MainControl control, std::string_view text) override {
    captions[control] = std::string(text);
  }
  std::string Caption(MainControl control) const override {
    const auto found = captions.find(control);
    return found == captions.end() ? std::string() : found->second;
  }
  void ClearIcon() override { iconCleared = true; }
  void MakeTopmost() override { topmost = true; }

  std::map<MainControl, std::string> captions;
  bool iconCleared = false;
  bool topmost = false;
};

class MemoryTraceWindow final : public TraceWindowView {
 public:
  // closings, when given, counts the windows closed.
  explicit MemoryTraceWindow(int* closings = nullptr) : closings_(closings) {}

  void SetCaption(TraceControl control, std::string_view text) override {
    captions[control] = std::string(text);
  }
  std::string Caption(TraceControl control) const override {
    const auto found = captions.find(control);
    return found == captions.end() ? std::string() : found->second;
  }
  void ClearIcon() override { iconCleared = true; }
  std::string OffsetText() const override { return offsetText; }
  void SetOffsetText(std::string_view text) override { offsetText = std::string(text); }
  void SetScrollMinimum(std::int32_t value) override { scrollMinimum = value; }
  void SetScrollMaximum(std::int32_t value) override { scrollMaximum = value; }
  void SetScrollStep(std::int32_t value) override { scrollStep = value; }
  std::int32_t ScrollPosition() const override { return scrollPosition; }
  void SetScrollPosition(std::int32_t value) override { scrollPosition = value; }
  void SetHourglass(bool on) override { hourglass = on; }
  void SetTraceButtonEnabled(bool enabled) override { traceButtonEnabled = enabled; }
  // Returns at once: whoever plays the operator then works the window.
  void ShowModal() override { shown = true; }
  void Close() override {
    shown = false;
    closed = true;
    if (closings_ != nullptr) ++*closings_;
  }

  std::map<TraceControl, std::string> captions;
  bool iconCleared = false;
  std::string offsetText;
  std::int32_t scrollMinimum = 0;
  std::int32_t scrollMaximum = 32767;
  std::int32_t scrollStep = 1;
  std::int32_t scrollPosition = 0;
  bool hourglass = false;
  bool traceButtonEnabled = true;
  bool shown = false;
  bool closed = false;

 private:
  int* closings_;
};

class MemoryTraceWindows final : public TraceWindowFactory {
 public:
  std::unique_ptr<TraceWindowView> CreateTraceWindow() override {
    ++created;
    return std::make_unique<MemoryTraceWindow>(&closed);
  }

  int created = 0;
  int closed = 0;
};

}  // namespace corvane::toolwindow

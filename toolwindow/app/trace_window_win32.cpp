#include "toolwindow/app/trace_window_win32.h"

#include <commctrl.h>

#include <functional>
#include <string>

#include "common/win32/screen_dpi.h"
#include "common/win32/wide_text.h"
#include "toolwindow/app/tool_window_ids.h"
#include "toolwindow/lang/texts.h"
#include "toolwindow/windows/frm_trace.h"

namespace corvane::toolwindow {

namespace {

constexpr const wchar_t* kClassName = L"CorvaneTraceSettings";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidthTwips = 3975;
constexpr int kClientHeightTwips = 2040;

// Frame1 lies at 240, 120; the labels are placed within it, the other
// controls on the form over it. The tab order is the z-order: the controls
// by their tab indexes, then the frame (index 0), which takes no focus and
// must lie behind everything it holds.
constexpr int kFrameLeft = 240;
constexpr int kFrameTop = 120;
constexpr ControlLayout kControls[] = {
    {IDC_TRACE_CMD_TRACE, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 480, 1200, 1335, 495},
    {IDC_TRACE_TXT_OUTSIDE, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, 1560, 480, 1095, 495,
     WS_EX_CLIENTEDGE},
    {IDC_TRACE_LABEL1, L"STATIC", SS_LEFT, kFrameLeft + 240, kFrameTop + 480, 1095, 375},
    {IDC_TRACE_LABEL2, L"STATIC", SS_LEFT, kFrameLeft + 2760, kFrameTop + 480, 615, 375},
    {IDC_TRACE_VSCROLL1, L"SCROLLBAR", SBS_VERT | WS_TABSTOP, 2640, 480, 255, 495},
    {IDC_TRACE_CMD_DELTRACE, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 2160, 1200, 1335, 495},
    {IDC_TRACE_FRAME1, L"BUTTON", BS_GROUPBOX, kFrameLeft, kFrameTop, 3495, 1695},
};

// "宋体", 12 points.
UniqueFont offsetFont() {
  return UniqueFont(CreateFontW(-MulDiv(12, screenDotsPerInch(), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                L"\u5B8B\u4F53"));
}

constexpr NamedControl<TraceControl> kNamed[] = {
    {TraceControl::Frame1, IDC_TRACE_FRAME1},
    {TraceControl::Label1, IDC_TRACE_LABEL1},
    {TraceControl::Label2, IDC_TRACE_LABEL2},
    {TraceControl::cmdTrace, IDC_TRACE_CMD_TRACE},
    {TraceControl::cmdDelTrace, IDC_TRACE_CMD_DELTRACE}};

bool scrollMoveOf(int code, ScrollMove& move) {
  switch (code) {
    case SB_LINEUP:
      move = ScrollMove::LineUp;
      return true;
    case SB_LINEDOWN:
      move = ScrollMove::LineDown;
      return true;
    case SB_PAGEUP:
      move = ScrollMove::PageUp;
      return true;
    case SB_PAGEDOWN:
      move = ScrollMove::PageDown;
      return true;
    case SB_TOP:
      move = ScrollMove::Top;
      return true;
    case SB_BOTTOM:
      move = ScrollMove::Bottom;
      return true;
    case SB_THUMBPOSITION:
      // The drag's end; while it lasts the bar only draws its thumb.
      move = ScrollMove::Thumb;
      return true;
    default:
      return false;
  }
}

class TraceWindow final : public CaptionedWindow<TraceWindowView, TraceControl> {
 public:
  explicit TraceWindow(TraceWindows& windows) : CaptionedWindow(kNamed), windows_(windows) {}

  bool open(HWND owner) {
    const SIZE client{twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips)};
    const SIZE outer = outerSize(client, kStyle, kExStyle);
    const POINT centred{(GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2,
                        (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2};
    return create(kClassName, wideText(CORVANE_TOOL_TRACE_CAPTION), kStyle, kExStyle, centred,
                  client, owner);
  }

  std::string OffsetText() const override { return controlText(window_, IDC_TRACE_TXT_OUTSIDE); }
  void SetOffsetText(std::string_view text) override {
    setControlText(window_, IDC_TRACE_TXT_OUTSIDE, text);
  }

  void SetScrollMinimum(std::int32_t minimum) override {
    minimum_ = minimum;
    setScroll(SIF_RANGE, 0);
  }
  void SetScrollMaximum(std::int32_t maximum) override {
    maximum_ = maximum;
    setScroll(SIF_RANGE, 0);
  }
  // The form moves the bar itself, one step for an arrow or a track click.
  void SetScrollStep(std::int32_t) override {}
  std::int32_t ScrollPosition() const override {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(scrollBar(), SB_CTL, &info);
    return info.nPos;
  }
  void SetScrollPosition(std::int32_t position) override { setScroll(SIF_POS, position); }

  void SetHourglass(bool shown) override {
    hourglass_ = shown;
    SetCursor(LoadCursorW(nullptr, shown ? IDC_WAIT : IDC_ARROW));
  }
  void SetTraceButtonEnabled(bool enabled) override {
    EnableWindow(GetDlgItem(window_, IDC_TRACE_CMD_TRACE), enabled ? TRUE : FALSE);
  }

  void ShowModal() override {
    if (!window_) return;
    HWND owner = GetWindow(window_, GW_OWNER);
    const HWND outer = windows_.modalWindow();
    windows_.setModalWindow(window_);
    modalOwner_ = owner;
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    // The form that shows this window holds it until this returns.
    runMessagesUntil([this] { return !window_ || !IsWindowVisible(window_); });
    windows_.setModalWindow(outer);
    modalOwner_ = nullptr;
    if (owner && IsWindow(owner)) {
      EnableWindow(owner, TRUE);
      SetActiveWindow(owner);
    }
  }

  void Close() override {
    // The owner is enabled first, so that it, not another program, becomes
    // the active window when this one goes.
    if (modalOwner_ && IsWindow(modalOwner_)) EnableWindow(modalOwner_, TRUE);
    if (window_) DestroyWindow(window_);
  }

 private:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_VSCROLL:
        onVScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
      case WM_SETCURSOR:
        if (!hourglass_) return unhandled(message, wParam, lParam);
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      default:
        return unhandled(message, wParam, lParam);
    }
  }

  void onCreate() override {
    font_ = messageFont();
    createControls(window_, kControls, font_.get());
    offsetFont_ = offsetFont();
    SendDlgItemMessageW(window_, IDC_TRACE_TXT_OUTSIDE, WM_SETFONT,
                        reinterpret_cast<WPARAM>(offsetFont_.get()), FALSE);
  }

  // Runs a handler of the form this window belongs to. The form, and with
  // it this window, may be discarded by the handler: this returns at once.
  void withForm(const std::function<void(frmTrace&)>& handler) {
    ToolProgram* program = windows_.program();
    frmTrace* form = program ? program->TraceWindow() : nullptr;
    if (!form || &form->view() != static_cast<TraceWindowView*>(this)) return;
    const std::shared_ptr<frmTrace> holding = form->shared_from_this();
    handler(*holding);
  }

  void onClick(int id) override {
    if (id == IDC_TRACE_CMD_TRACE) withForm([](frmTrace& form) { form.cmdTrace_Click(); });
    if (id == IDC_TRACE_CMD_DELTRACE) withForm([](frmTrace& form) { form.cmdDelTrace_Click(); });
  }

  void onVScroll(int code, HWND bar) {
    ScrollMove move{};
    if (bar != scrollBar() || !scrollMoveOf(code, move)) return;
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    // 32 bits: the message's own position has 16 and no sign.
    const std::int32_t thumb = info.nTrackPos;
    withForm([move, thumb](frmTrace& form) { form.VScroll1_Scroll(move, thumb); });
  }

  void onClose() override {
    ToolProgram* program = windows_.program();
    if (!program) {
      DestroyWindow(window_);
      return;
    }
    // Discards the form and this window; nothing may follow.
    program->UnloadTraceWindow();
  }

  HWND scrollBar() const { return GetDlgItem(window_, IDC_TRACE_VSCROLL1); }

  void setScroll(UINT what, int position) {
    SCROLLINFO info{sizeof info, what, minimum_, maximum_, 0, position, 0};
    SetScrollInfo(scrollBar(), SB_CTL, &info, TRUE);
  }

  TraceWindows& windows_;
  UniqueFont font_;
  UniqueFont offsetFont_;
  std::int32_t minimum_ = 0;
  std::int32_t maximum_ = 100;
  bool hourglass_ = false;
  HWND modalOwner_ = nullptr;
};

}  // namespace

std::unique_ptr<TraceWindowView> TraceWindows::CreateTraceWindow() {
  auto window = std::make_unique<TraceWindow>(*this);
  if (!window->open(owner_.handle())) showFailure("The trace settings window cannot be opened.");
  return window;
}

}  // namespace corvane::toolwindow

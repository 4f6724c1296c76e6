#include <windows.h>
#include <commctrl.h>

#include "output/program/output_dialog_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/job_contract.h"
#include "common/settings/output_settings.h"
#include "common/win32/wide_text.h"
#include "common/win32/procedure_guard.h"
#include "common/win32/unique_handle.h"
#include "output/dialog/output_dialog_model.h"
#include "output/knife/knife_preview.h"
#include "output/pipeline/decimal_text.h"
#include "output/pipeline/output_job.h"
#include "output/program/dialog_controls_win32.h"
#include "output/program/library_texts_win32.h"
#include "output/program/message_box_operator_win32.h"
#include "output/program/output_ids.h"
#include "output/program/single_instance_win32.h"
#include "output/transport/transport.h"

namespace corvane {

namespace {

// Posted by the serial worker: a piece went out, or the send ended.
constexpr UINT kSendChanged = WM_APP + 1;
// The progress bar counts in thousandths of the send.
constexpr int kProgressSteps = 1000;
// The knife's cut is simulated again once the operator has stopped typing
// for this long.
constexpr UINT_PTR kKnifeTimer = 1;
constexpr UINT kKnifeDelayMs = 300;

// Nothing here can throw, so it needs no guard.
INT_PTR CALLBACK aboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

UniqueIcon loadIcon(HMODULE library, int metricX, int metricY) {
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(library, MAKEINTRESOURCEW(IDI_OUTPUT), IMAGE_ICON,
                                    GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0)));
}

class OutputDialog final : private SendWatcher {
 public:
  OutputDialog(HMODULE library, const std::filesystem::path& directory)
      : library_(library), files_{directory}, texts_(library) {}

  int run() {
    const INT_PTR result = DialogBoxParamW(library_, MAKEINTRESOURCEW(IDD_OUTPUT), nullptr,
                                           &OutputDialog::thunk, reinterpret_cast<LPARAM>(this));
    return result == -1 ? kExitNoResources : static_cast<int>(result);
  }

 private:
  // Stores the object with its window at creation and hands every later
  // message to it.
  static INT_PTR CALLBACK thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<OutputDialog*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<OutputDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self) return FALSE;
    return guardProcedure<INT_PTR>(
        FALSE, [&] { return self->handle(message, wParam, lParam); },
        [self, message](std::string_view text) { self->tellFailure(message, text); });
  }

  // A failure no handler reported itself, told like every other. A dialog
  // whose set-up it stopped cannot work and ends as refused.
  void tellFailure(UINT message, std::string_view text) {
    operator_.tell(MessageKind::Stop, text);
    if (message == WM_INITDIALOG) EndDialog(window_, kExitRefused);
  }

  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        return onInitDialog();
      case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam));
      case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
      case WM_DRAWITEM:
        return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      case WM_PAINT:
        return onPaint();
      case WM_SYSCOMMAND:
        return onSysCommand(wParam);
      case WM_DESTROY:
        onDestroy();
        return FALSE;
      case kSendChanged:
        onSendChanged();
        return TRUE;
      case WM_TIMER:
        if (wParam != kKnifeTimer) return FALSE;
        KillTimer(window_, kKnifeTimer);
        simulateKnife();
        return TRUE;
      default:
        return FALSE;
    }
  }

  DialogControls controls() const { return DialogControls(window_); }

  BOOL onInitDialog() {
    addAboutItem();
    bigIcon_ = loadIcon(library_, SM_CXICON, SM_CYICON);
    smallIcon_ = loadIcon(library_, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    operator_.attach(window_);

    if (!passStartupChecks()) {
      EndDialog(window_, kExitRefused);
      return TRUE;
    }
    attachUpDown(IDC_UPDOWN_ANGLE, IDC_EDIT_ANGLE);
    attachUpDown(IDC_UPDOWN_CLOSED, IDC_EDIT_CLOSED);

    job_.emplace(files_, *transport_, operator_, texts_);
    job_->setWatcher(this);
    if (!job_->jobFileExists()) {
      operator_.tell(MessageKind::Stop, texts_.text(TextId::JobFileMissing));
      EndDialog(window_, kExitRefused);
      return TRUE;
    }
    loadSettings();
    job_->prepareJob();
    // Only a dialog that got this far owns the job's files; one that was
    // refused leaves the tool window's job alone.
    ownsJobFiles_ = true;
    simulateKnife();
    InvalidateRect(controls().item(IDC_FRAME_PREVIEW), nullptr, TRUE);
    return TRUE;
  }

  void scheduleKnife() const {
    if (ownsJobFiles_) SetTimer(window_, kKnifeTimer, kKnifeDelayMs, nullptr);
  }

  // With a blade offset set, the cut the knife would make of the stream the
  // current choices build, and its largest miss under the preview. Without
  // one, nothing: the preview is the stream's alone.
  void simulateKnife() {
    const DialogControls c = controls();
    takeValues();
    const std::string bladeText = c.text(IDC_EDIT_BLADE);
    const double blade = decimalValue(bladeText);
    const bool had = knife_.has_value();
    knife_.reset();
    if (blade > 0 && job_) {
      knife_ = simulateCornerOptions(
          files_.plain(), dialectForMachine(model_.machines.selectedText()),
          model_.angleEnabled ? std::optional(decimalValue(model_.angleText)) : std::nullopt,
          model_.closedEnabled ? std::optional(decimalValue(model_.closedText)) : std::nullopt,
          model_.orderEnabled, blade);
      if (knife_ && (knife_->design.empty() || knife_->cut.runs.empty())) knife_.reset();
    }
    std::string missText;
    if (knife_) {
      char mm[32];
      std::snprintf(mm, sizeof mm, "%.3f", knife_->figures.miss.distance / kKnifeUnitsPerMm);
      missText = texts_.text(TextId::KnifeMiss);
      const auto at = missText.find("{miss}");
      if (at != std::string::npos) missText.replace(at, 6, mm);
    }
    c.setText(IDC_TEXT_KNIFE_MISS, missText);
    if (had || knife_) InvalidateRect(c.item(IDC_FRAME_PREVIEW), nullptr, TRUE);
  }

  void addAboutItem() {
    const std::string about = texts_.text(TextId::AboutItem);
    if (about.empty()) return;
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUT, wideText(about).c_str());
  }

  bool passStartupChecks() {
    instance_ = claimSingleInstance(job::kInstanceMutexName);
    if (instance_.anotherCopyRuns) {
      operator_.tell(MessageKind::Stop, texts_.text(TextId::AlreadyRunning));
      killOutputInstances(job::kOutputProgramImage);
      // Last of all copies: this one.
      TerminateProcess(GetCurrentProcess(), 0);
      return false;
    }
    if (!FindWindowW(nullptr, wideText(job::kToolWindowCaption).c_str())) {
      operator_.tell(MessageKind::Stop, texts_.text(TextId::ToolWindowMissing));
      return false;
    }
    transport_ = makeSystemTransport();
    return true;
  }

  void attachUpDown(int upDown, int edit) const {
    const DialogControls c = controls();
    c.send(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(c.item(edit)));
    c.send(upDown, UDM_SETRANGE32, 0, kStepPositionMax);
  }

  std::vector<PortEntry> listPorts() { return transport_->listPorts(operator_); }

  void loadSettings() {
    model_.loadSettings(settings::loadOutputSettings(files_.config()), listPorts());
    showLists();
    const DialogControls c = controls();
    c.setText(IDC_EDIT_ANGLE, model_.angleText);
    c.setText(IDC_EDIT_CLOSED, model_.closedText);
    c.send(IDC_UPDOWN_ANGLE, UDM_SETPOS32, 0, model_.anglePosition);
    c.send(IDC_UPDOWN_CLOSED, UDM_SETPOS32, 0, model_.closedPosition);
    c.setChecked(IDC_CHECK_ANGLE, model_.angleEnabled);
    c.setChecked(IDC_CHECK_CLOSED, model_.closedEnabled);
    c.setChecked(IDC_CHECK_ORDER, model_.orderEnabled);
    c.setReadOnly(IDC_EDIT_ANGLE, !model_.angleEnabled);
    c.setReadOnly(IDC_EDIT_CLOSED, !model_.closedEnabled);
    c.setText(IDC_EDIT_BLADE, settings::loadBladeOffset(files_.config()));
  }

  void showLists() const {
    const DialogControls c = controls();
    c.fillList(IDC_COMBO_PORT, model_.ports.items, model_.ports.selected);
    c.fillList(IDC_COMBO_BAUD, model_.bauds.items, model_.bauds.selected);
    c.fillList(IDC_COMBO_MACHINE, model_.machines.items, model_.machines.selected);
    showBaudForPort();
  }

  void showBaudForPort() const {
    const bool visible = model_.baudVisible();
    controls().show(IDC_COMBO_BAUD, visible);
    controls().show(IDC_LABEL_BAUD, visible);
  }

  // The operator's current choices, from the controls into the model.
  void takeValues() {
    const DialogControls c = controls();
    model_.ports.select(c.listSelection(IDC_COMBO_PORT));
    model_.bauds.select(c.listSelection(IDC_COMBO_BAUD));
    model_.machines.select(c.listSelection(IDC_COMBO_MACHINE));
    model_.angleText = c.text(IDC_EDIT_ANGLE);
    model_.closedText = c.text(IDC_EDIT_CLOSED);
    model_.setAngleEnabled(c.checked(IDC_CHECK_ANGLE));
    model_.setClosedEnabled(c.checked(IDC_CHECK_CLOSED));
    model_.orderEnabled = c.checked(IDC_CHECK_ORDER);
  }

  BOOL onCommand(int id, int code) {
    switch (id) {
      case IDC_CHECK_ANGLE:
      case IDC_CHECK_CLOSED:
        if (code == BN_CLICKED) {
          onOptionToggled(id);
          scheduleKnife();
        }
        return TRUE;
      case IDC_CHECK_ORDER:
        if (code == BN_CLICKED) scheduleKnife();
        return FALSE;
      case IDC_EDIT_ANGLE:
      case IDC_EDIT_CLOSED:
      case IDC_EDIT_BLADE:
        if (code == EN_CHANGE) scheduleKnife();
        return FALSE;
      case IDC_COMBO_MACHINE:
        if (code == CBN_SELCHANGE) scheduleKnife();
        return FALSE;
      case IDC_COMBO_PORT:
        if (code == CBN_SELCHANGE) {
          model_.selectPort(controls().listSelection(IDC_COMBO_PORT));
          showBaudForPort();
        }
        return TRUE;
      case IDC_BUTTON_REFRESH:
        if (code == BN_CLICKED && transport_) {
          model_.fillLists(listPorts());
          showLists();
        }
        return TRUE;
      case IDC_BUTTON_OUTPUT:
        if (code == BN_CLICKED && job_) onOutput();
        return TRUE;
      case IDC_BUTTON_STOP:
        if (code == BN_CLICKED && job_) onStop();
        return TRUE;
      case IDOK:
      case IDCANCEL:
        onClose();
        return TRUE;
      default:
        return FALSE;
    }
  }

  void onOptionToggled(int checkBox) {
    const DialogControls c = controls();
    const int edit = checkBox == IDC_CHECK_ANGLE ? IDC_EDIT_ANGLE : IDC_EDIT_CLOSED;
    c.setReadOnly(edit, !c.checked(checkBox));
    takeValues();
  }

  void onOutput() {
    takeValues();
    // Written on every press, whatever the send then reports: the next
    // start shows the choices the operator last sent with.
    settings::saveOutputSettings(files_.config(), model_.settingsToSave());
    settings::saveBladeOffset(files_.config(), controls().text(IDC_EDIT_BLADE));
    job_->runJob(model_.choices());
    showProgress();
    if (closeWhenDone_ && !job_->sending()) EndDialog(window_, kExitClosed);
  }

  void onStop() {
    if (job_->stopSend() == StopResult::EndProgram) endProgram();
    showProgress();
  }

  void onClose() {
    if (!job_) {
      EndDialog(window_, kExitClosed);
      return;
    }
    switch (job_->closeRequested()) {
      case CloseStep::Close:
        EndDialog(window_, kExitClosed);
        return;
      case CloseStep::WaitForSend:
        // The dialog stays with its progress; the files go when the send has ended.
        closeWhenDone_ = true;
        return;
      case CloseStep::EndProgram:
        endProgram();
        return;
    }
  }

  // The worker is blocked in a write the system cannot interrupt; only
  // ending the process frees the port. It holds its stream in memory, so
  // the files can go first. Terminated, like the copies the start-up check
  // ends: no clean-up code of the process runs beside the blocked worker.
  void endProgram() {
    job_->removeTemporaryFilesNow();
    TerminateProcess(GetCurrentProcess(), kExitClosed);
  }

  // SendWatcher, on the worker's thread.
  void sendChanged() override { PostMessageW(window_, kSendChanged, 0, 0); }

  // SendWatcher: a command text is being sent; the operator can still
  // stop it or close the dialog meanwhile.
  void waitForCommand() override {
    waitingForCommand_ = true;
    MSG message;
    while (job_->sending()) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      if (got <= 0) break;
      if (!IsDialogMessageW(window_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    waitingForCommand_ = false;
  }

  void onSendChanged() {
    showProgress();
    // A command text's end is taken by the press that waits for it.
    if (!job_ || job_->sending() || waitingForCommand_) return;
    job_->waitForSend();  // shows what the worker reported
    if (closeWhenDone_) EndDialog(window_, kExitClosed);
  }

  void showProgress() const {
    if (!job_) return;
    const SendProgressView progress = job_->sendProgress();
    if (progress.port.empty()) return;
    const DialogControls c = controls();
    c.setText(IDC_TEXT_PROGRESS, fillProgress(texts_.text(TextId::ProgressLine), progress));
    constexpr auto kSteps = static_cast<std::uint64_t>(kProgressSteps);
    const std::uint64_t steps =
        progress.total == 0 ? kSteps : std::uint64_t{progress.sent} * kSteps / progress.total;
    c.send(IDC_PROGRESS_SEND, PBM_SETRANGE32, 0, kProgressSteps);
    c.send(IDC_PROGRESS_SEND, PBM_SETPOS, static_cast<WPARAM>(steps));
    EnableWindow(c.item(IDC_BUTTON_STOP), progress.running ? TRUE : FALSE);
  }

  BOOL onNotify(const NMHDR& header) {
    if (header.code != UDN_DELTAPOS) return FALSE;
    const auto& step = reinterpret_cast<const NMUPDOWN&>(header);
    const int position = std::clamp(step.iPos + step.iDelta, 0, kStepPositionMax);
    // What the operator typed into the other edit stays.
    takeValues();
    if (header.idFrom == IDC_UPDOWN_ANGLE) {
      model_.stepAngle(position);
      controls().setText(IDC_EDIT_ANGLE, model_.angleText);
    } else if (header.idFrom == IDC_UPDOWN_CLOSED) {
      model_.stepClosed(position);
      controls().setText(IDC_EDIT_CLOSED, model_.closedText);
    } else {
      return FALSE;
    }
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, FALSE);  // the step is allowed
    return TRUE;
  }

  BOOL onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_FRAME_PREVIEW) return FALSE;
    drawPreview(item.hDC, item.rcItem);
    return TRUE;
  }

  void drawPreview(HDC dc, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    if (job_ && ownsJobFiles_) {
      const PltConverter& model = job_->model();
      for (const PreviewLine& line :
           previewLines(model.points(), model.maxX(), model.maxY(), width, height)) {
        MoveToEx(dc, area.left + line.x0, area.top + line.y0, nullptr);
        LineTo(dc, area.left + line.x1, area.top + line.y1);
      }
      if (knife_) drawKnife(dc, area, model);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  }

  // The knife's cut in red over the stream's lines.
  void drawKnife(HDC dc, const RECT& area, const PltConverter& model) const {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(220, 0, 0));
    if (!red) return;
    HGDIOBJ old = SelectObject(dc, red);
    for (const PreviewLine& line :
         knifePreviewLines(knife_->cut.runs, model.maxX(), model.maxY(), area.right - area.left,
                           area.bottom - area.top)) {
      MoveToEx(dc, area.left + line.x0, area.top + line.y0, nullptr);
      LineTo(dc, area.left + line.x1, area.top + line.y1);
    }
    SelectObject(dc, old);
    DeleteObject(red);
  }

  BOOL onPaint() {
    if (!IsIconic(window_)) return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, bigIcon_.get());
    EndPaint(window_, &paint);
    return TRUE;
  }

  BOOL onSysCommand(WPARAM command) {
    // The items the program adds use the ids 16 to 31.
    if ((command & 0xFFF0) != IDM_ABOUT) return FALSE;
    DialogBoxParamW(library_, MAKEINTRESOURCEW(IDD_ABOUT), window_, aboutDialog, 0);
    return TRUE;
  }

  void onDestroy() {
    if (job_ && ownsJobFiles_) job_->removeTemporaryFiles();
  }

  HMODULE library_;
  JobFiles files_;
  LibraryTexts texts_;
  // Declared before the job: a send still running on the worker reports
  // through the operator and the transport until the job is gone.
  MessageBoxOperator operator_;
  std::unique_ptr<Transport> transport_;
  std::optional<OutputJob> job_;
  OutputDialogModel model_;
  std::optional<KnifeSimulation> knife_;
  InstanceClaim instance_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  HWND window_ = nullptr;
  bool ownsJobFiles_ = false;
  bool closeWhenDone_ = false;
  bool waitingForCommand_ = false;
};

}  // namespace

int runOutputDialog(HMODULE library, const std::filesystem::path& programDirectory) {
  OutputDialog dialog(library, programDirectory);
  return dialog.run();
}

}  // namespace corvane

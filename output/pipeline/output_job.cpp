#include "output/pipeline/output_job.h"

#include <system_error>

#include "common/path_text.h"
#include "output/engine/byte_sink.h"
#include "output/pipeline/decimal_text.h"

namespace corvane {

namespace {

constexpr const char* kCommandDocument = "Output_CMD";
constexpr const char* kJobDocument = "Output_Job";
constexpr const char* kStillSending =
    "The cutter is still receiving the last job. Press Output again when it has finished.";

std::string notPreparedText(const std::string& why) {
  return "The job was not sent: its intermediate file could not be written when the program "
         "started, and an earlier job's file must never be cut in its place.\n" +
         why + "\nMake the file writable, then start the job again.";
}

void removeFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
}

// "TB25,%d,%d;" with the frame's height first: the axes are exchanged.
std::string frameCommand(const PltConverter& job) {
  return "TB25," + std::to_string(job.param2()) + "," + std::to_string(job.param1()) + ";";
}

}  // namespace

std::string fillProgress(std::string text, const SendProgressView& progress) {
  const std::pair<const char*, std::string> fields[] = {
      {"{port}", progress.port},
      {"{sent}", std::to_string(progress.sent)},
      {"{total}", std::to_string(progress.total)}};
  for (const auto& [name, value] : fields) {
    for (std::size_t at = text.find(name); at != std::string::npos;
         at = text.find(name, at + value.size())) {
      text.replace(at, std::string_view(name).size(), value);
    }
  }
  return text;
}

SendWatcher::~SendWatcher() = default;

void OutputJob::WorkerReports::tell(MessageKind kind, std::string_view text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  messages_.emplace_back(kind, std::string(text));
}

// The worker never asks; a question it might ask is answered "Cancel".
bool OutputJob::WorkerReports::askOkCancel(std::string_view) { return false; }

std::vector<std::pair<MessageKind, std::string>> OutputJob::WorkerReports::take() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(messages_, {});
}

OutputJob::OutputJob(JobFiles files, Transport& transport, Operator& op, const TextSource& texts)
    : files_(std::move(files)), transport_(transport), operator_(op), texts_(texts), model_(op) {}

OutputJob::~OutputJob() { waitForSend(); }

bool OutputJob::jobFileExists() const {
  std::error_code ignored;
  return std::filesystem::exists(files_.job(), ignored);
}

void OutputJob::prepareJob() {
  // Each step runs whatever the one before reported; their messages tell
  // the operator what went wrong.
  model_.readPlt(files_.job());
  model_.applyMarkOffset(model_.param3(), model_.param4());
  model_.computeBounds();
  unprepared_ = writeIntermediate();
  if (!unprepared_.empty()) operator_.tell(MessageKind::Stop, unprepared_);
}

std::string OutputJob::writeIntermediate() {
  const std::filesystem::path path = files_.plain();
  // One left by an earlier job would be read as this one if this write
  // failed; a folder of that name is left alone and fails the write.
  std::error_code error;
  if (!std::filesystem::is_directory(files_.plain(), error)) {
    std::filesystem::remove(files_.plain(), error);
  }
  if (error) return "Cannot replace the file " + pathText(path) + ": " + error.message();
  // A job without a TB or DB command is never sent, and the model has
  // said so already.
  if (!model_.tbSeen() && !model_.dbSeen()) return {};
  FileSink file(path);
  if (file.isOpen() && model_.writePlain(file, Dialect::Hpgl) && file.close()) return {};
  return file.error();
}

SendOutcome OutputJob::runJob(const OutputChoices& choices) {
  if (sending()) {
    // Rebuilding the stream now would change the file under the send.
    operator_.tell(MessageKind::Warning, kStillSending);
    return SendOutcome::NotSent;
  }
  if (!buildStream(choices)) return SendOutcome::NotSent;
  return sendJob(choices);
}

bool OutputJob::buildStream(const OutputChoices& choices) {
  // Whatever an earlier press left must not be sent if this build fails.
  removeFile(files_.stream());
  lastCutOrder_.reset();
  if (!unprepared_.empty()) {
    operator_.tell(MessageKind::Stop, notPreparedText(unprepared_));
    return false;
  }
  const Dialect dialect = dialectForMachine(choices.machine);
  if (!choices.angleEnabled && !choices.closedEnabled) {
    if (!choices.orderEnabled) return model_.writePlain(files_.stream(), dialect);
    // The dialog's model keeps the job's order for the next press.
    PltConverter ordered = model_;
    lastCutOrder_ = putInCuttingOrder(ordered, false);
    return ordered.writePlain(files_.stream(), dialect);
  }
  PltConverter corners(operator_);
  if (!corners.readPlt(files_.plain())) return false;
  if (choices.orderEnabled) lastCutOrder_ = putInCuttingOrder(corners, true);
  corners.setCornerDistances(choices.angleEnabled ? decimalValue(choices.angleText) : 0.0,
                             choices.closedEnabled ? decimalValue(choices.closedText) : 0.0);
  return corners.writeWithCorners(files_.stream(), dialect);
}

SendOutcome OutputJob::sendJob(const OutputChoices& choices) {
  if (!choices.port) {
    operator_.tell(MessageKind::Stop, texts_.text(TextId::PortNotValid));
    return SendOutcome::NotSent;
  }
  const PortEntry& port = *choices.port;
  const auto baud = static_cast<std::uint32_t>(integerValue(choices.baudText));
  if (model_.tbSeen()) {
    SendOptions command;
    command.baud = baud;
    command.documentName = kCommandDocument;
    // The question is asked whatever the frame's send reported: the
    // operator sees on the cutter whether the frame arrived. Only a frame
    // the operator stopped ends the press.
    if (sendCommand(port, frameCommand(model_), command) == SendOutcome::Stopped) {
      return SendOutcome::Stopped;
    }
    if (!operator_.askOkCancel(texts_.text(TextId::ContinueCut))) {
      switch (sendCommand(port, "TB24;", command)) {
        case SendOutcome::Sent:
          return SendOutcome::Cancelled;
        case SendOutcome::Stopped:
          return SendOutcome::Stopped;
        default:
          return SendOutcome::CancelFailed;
      }
    }
    return sendStream(port, baud);
  }
  if (model_.dbSeen()) return sendStream(port, baud);
  return SendOutcome::NotSent;
}

SendOutcome OutputJob::sendCommand(const PortEntry& port, const std::string& text,
                                   const SendOptions& options) {
  if (isUsb(port.kind)) {
    return transport_.sendText(port, text, options, operator_) ? SendOutcome::Sent
                                                               : SendOutcome::Failed;
  }
  // On the worker too, so that the operator can stop a text the cutter
  // does not take.
  SerialSendJob job{{}, port.name, options.baud, {}, text, {}, nullptr};
  startSerial(std::move(job), text.size());
  if (watcher_) watcher_->waitForCommand();
  const SendOutcome outcome = waitForSend();
  return stop_.requested() ? SendOutcome::Stopped : outcome;
}

SendOutcome OutputJob::sendStream(const PortEntry& port, std::uint32_t baud) {
  const std::filesystem::path path = files_.stream();
  if (isUsb(port.kind)) {
    SendOptions options;
    options.documentName = kJobDocument;
    return transport_.sendFile(port, path, options, operator_) ? SendOutcome::Sent
                                                               : SendOutcome::Failed;
  }
  // A serial line takes as long as the cutter cuts: the send runs on a
  // worker so the dialog stays responsive.
  std::error_code ignored;
  const auto size = std::filesystem::file_size(files_.stream(), ignored);
  startSerial({path, port.name, baud, {}, std::nullopt, {}, nullptr},
              size == static_cast<std::uintmax_t>(-1) ? 0 : static_cast<std::size_t>(size));
  return SendOutcome::Started;
}

void OutputJob::startSerial(SerialSendJob job, std::size_t total) {
  waitForSend();
  stop_.clear();
  {
    const std::lock_guard<std::mutex> lock(progressMutex_);
    progress_ = {job.port, 0, total, true};
  }
  serialState_ = SerialState::Running;
  job.stop = &stop_;
  job.progress = [this](std::size_t sent, std::size_t all) {
    {
      const std::lock_guard<std::mutex> lock(progressMutex_);
      progress_.sent = sent;
      progress_.total = all;
    }
    if (watcher_) watcher_->sendChanged();
  };
  job.finished = [this](bool sent) {
    {
      const std::lock_guard<std::mutex> lock(progressMutex_);
      serialState_ = sent                ? SerialState::Sent
                     : stop_.requested() ? SerialState::Stopped
                                         : SerialState::Failed;
      progress_.running = false;
    }
    ended_.notify_all();
    if (watcher_) watcher_->sendChanged();
  };
  serialWorkers_.start(transport_.serialSystem(), std::move(job), reports_);
}

bool OutputJob::sending() const { return serialState_ == SerialState::Running; }

SendProgressView OutputJob::sendProgress() const {
  const std::lock_guard<std::mutex> lock(progressMutex_);
  return progress_;
}

SendOutcome OutputJob::waitForSend() {
  serialWorkers_.waitForAll();
  for (const auto& [kind, text] : reports_.take()) operator_.tell(kind, text);
  switch (serialState_.exchange(SerialState::Idle)) {
    case SerialState::Sent:
      return SendOutcome::Sent;
    case SerialState::Failed:
      return SendOutcome::Failed;
    case SerialState::Stopped:
      return SendOutcome::Stopped;
    default:
      return SendOutcome::NotSent;
  }
}

bool OutputJob::waitForEnd(std::chrono::milliseconds patience) {
  // Asked again and again: on Windows a write that was only just starting
  // when the first request came is cancelled by a later one.
  constexpr std::chrono::milliseconds kRetry{50};
  const auto deadline = std::chrono::steady_clock::now() + patience;
  std::unique_lock<std::mutex> lock(progressMutex_);
  while (progress_.running) {
    lock.unlock();
    stop_.request();
    lock.lock();
    if (ended_.wait_for(lock, kRetry, [&] { return !progress_.running; })) break;
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
  return true;
}

StopResult OutputJob::stopSend() {
  if (!sending()) return StopResult::NotRunning;
  if (waitForEnd(stopPatience_)) {
    waitForSend();  // tells how far the send got
    return StopResult::Stopped;
  }
  const std::string question = fillProgress(texts_.text(TextId::CannotStop), sendProgress());
  return operator_.askOkCancel(question) ? StopResult::EndProgram : StopResult::Pending;
}

CloseStep OutputJob::closeRequested() {
  if (!sending()) return CloseStep::Close;
  if (!operator_.askOkCancel(fillProgress(texts_.text(TextId::StopOnClose), sendProgress()))) {
    return CloseStep::WaitForSend;
  }
  switch (stopSend()) {
    case StopResult::EndProgram:
      return CloseStep::EndProgram;
    case StopResult::Pending:
      return CloseStep::WaitForSend;
    default:
      return CloseStep::Close;
  }
}

void OutputJob::removeTemporaryFiles() {
  // The worker reads the stream file until its last byte is out.
  waitForSend();
  removeTemporaryFilesNow();
}

void OutputJob::removeTemporaryFilesNow() {
  removeFile(files_.job());
  removeFile(files_.plain());
  removeFile(files_.stream());
}

}  // namespace corvane

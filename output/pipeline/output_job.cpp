#include "output/pipeline/output_job.h"

#include <system_error>

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
  model_.readPlt(files_.job().string());
  model_.applyMarkOffset(model_.param3(), model_.param4());
  model_.computeBounds();
  unprepared_ = writeIntermediate();
  if (!unprepared_.empty()) operator_.tell(MessageKind::Stop, unprepared_);
}

std::string OutputJob::writeIntermediate() {
  const std::string path = files_.plain().string();
  // One left by an earlier job would be read as this one if this write
  // failed; a folder of that name is left alone and fails the write.
  std::error_code error;
  if (!std::filesystem::is_directory(files_.plain(), error)) {
    std::filesystem::remove(files_.plain(), error);
  }
  if (error) return "Cannot replace the file " + path + ": " + error.message();
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
  if (!unprepared_.empty()) {
    operator_.tell(MessageKind::Stop, notPreparedText(unprepared_));
    return false;
  }
  const Dialect dialect = dialectForMachine(choices.machine);
  if (!choices.angleEnabled && !choices.closedEnabled) {
    return model_.writePlain(files_.stream().string(), dialect);
  }
  PltConverter corners(operator_);
  if (!corners.readPlt(files_.plain().string())) return false;
  corners.setCornerDistances(choices.angleEnabled ? decimalValue(choices.angleText) : 0.0,
                             choices.closedEnabled ? decimalValue(choices.closedText) : 0.0);
  return corners.writeWithCorners(files_.stream().string(), dialect);
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
    // operator sees on the cutter whether the frame arrived.
    transport_.sendText(port, frameCommand(model_), command, operator_);
    if (!operator_.askOkCancel(texts_.text(TextId::ContinueCut))) {
      return transport_.sendText(port, "TB24;", command, operator_) ? SendOutcome::Cancelled
                                                                    : SendOutcome::CancelFailed;
    }
    return sendStream(port, baud);
  }
  if (model_.dbSeen()) return sendStream(port, baud);
  return SendOutcome::NotSent;
}

SendOutcome OutputJob::sendStream(const PortEntry& port, std::uint32_t baud) {
  const std::string path = files_.stream().string();
  if (isUsb(port.kind)) {
    SendOptions options;
    options.documentName = kJobDocument;
    return transport_.sendFile(port, path, options, operator_) ? SendOutcome::Sent
                                                               : SendOutcome::Failed;
  }
  // A serial line takes as long as the cutter cuts: the send runs on a
  // worker so the dialog stays responsive.
  waitForSend();
  serialState_ = SerialState::Running;
  serialWorkers_.start(
      transport_.serialSystem(),
      {path, port.name, baud,
       [this](bool sent) { serialState_ = sent ? SerialState::Sent : SerialState::Failed; }},
      operator_);
  return SendOutcome::Started;
}

bool OutputJob::sending() const { return serialState_ == SerialState::Running; }

SendOutcome OutputJob::waitForSend() {
  serialWorkers_.waitForAll();
  switch (serialState_.exchange(SerialState::Idle)) {
    case SerialState::Sent:
      return SendOutcome::Sent;
    case SerialState::Failed:
      return SendOutcome::Failed;
    default:
      return SendOutcome::NotSent;
  }
}

void OutputJob::removeTemporaryFiles() {
  // The worker reads the stream file until its last byte is out.
  waitForSend();
  removeFile(files_.job());
  removeFile(files_.plain());
  removeFile(files_.stream());
}

}  // namespace corvane

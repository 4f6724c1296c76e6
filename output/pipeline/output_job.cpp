#include "output/pipeline/output_job.h"

#include <chrono>
#include <cstdio>
#include <system_error>

#include "output/pipeline/decimal_text.h"

namespace corvane {

namespace {

constexpr const char* kCommandDocument = "Output_CMD";
constexpr const char* kJobDocument = "Output_Job";
constexpr const char* kStillSending =
    "The cutter is still receiving the last job. Press Output again when it has finished.";

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
  model_.writePlain(files_.plain().string(), Dialect::Hpgl);
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
      transport_.sendText(port, "TB24;", command, operator_);
      return SendOutcome::Cancelled;
    }
    return sendStream(port, baud);
  }
  if (model_.dbSeen()) return sendStream(port, baud);
  return SendOutcome::NotSent;
}

SendOutcome OutputJob::sendStream(const PortEntry& port, std::uint32_t baud) {
  SendOptions options;
  options.baud = baud;
  options.documentName = kJobDocument;
  const std::string path = files_.stream().string();
  if (isUsb(port.kind)) {
    return transport_.sendFile(port, path, options, operator_) ? SendOutcome::Sent
                                                               : SendOutcome::Failed;
  }
  // A serial line takes as long as the cutter cuts: the send runs on a
  // worker so the dialog stays responsive.
  waitForSend();
  serialSend_ = std::async(std::launch::async, [this, port, path, options] {
    return transport_.sendFile(port, path, options, operator_);
  });
  return SendOutcome::Started;
}

bool OutputJob::sending() const {
  return serialSend_.valid() &&
         serialSend_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

SendOutcome OutputJob::waitForSend() {
  if (!serialSend_.valid()) return SendOutcome::NotSent;
  return serialSend_.get() ? SendOutcome::Sent : SendOutcome::Failed;
}

void OutputJob::removeTemporaryFiles() {
  // The worker reads the stream file until its last byte is out.
  waitForSend();
  removeFile(files_.job());
  removeFile(files_.plain());
  removeFile(files_.stream());
}

}  // namespace corvane

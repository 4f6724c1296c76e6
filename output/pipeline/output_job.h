#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/job_contract.h"
#include "common/operator.h"
#include "common/settings/config_keys.h"
#include "output/engine/plt_converter.h"
#include "output/order/order_job.h"
#include "output/pipeline/output_texts.h"
#include "output/transport/serial_worker.h"
#include "output/transport/transport.h"

namespace corvane {

// The files of one job, all in the program's directory.
struct JobFiles {
  std::filesystem::path directory;

  std::filesystem::path job() const { return directory / job::kJobFileName; }
  std::filesystem::path plain() const { return directory / job::kPlainFileName; }
  std::filesystem::path stream() const { return directory / job::kStreamFileName; }
  std::filesystem::path config() const { return directory / settings::kConfigFileName; }
};

// What the operator chose when pressing Output.
struct OutputChoices {
  std::optional<PortEntry> port;  // none: nothing valid is selected
  std::string baudText;
  std::string machine;
  bool angleEnabled = false;
  bool closedEnabled = false;
  std::string angleText;   // millimetres
  std::string closedText;  // millimetres
  // Inside first, least travel.
  bool orderEnabled = false;
};

enum class SendOutcome {
  NotSent,       // nothing was sent (no job command, no stream, no valid port)
  Sent,          // every byte reached the port or the queue
  Started,       // a serial send runs on its worker; waitForSend() tells the end
  Cancelled,     // after the frame the operator chose not to cut; TB24 was sent
  CancelFailed,  // the operator chose not to cut, and TB24 could not be sent
  Failed,        // a send failed; the operator has been told
  Stopped,       // the operator stopped a serial send; told how far it got
};

// How far the serial send on the worker is.
struct SendProgressView {
  std::string port;
  std::size_t sent = 0;   // bytes the port has accepted
  std::size_t total = 0;  // bytes of the whole text or stream
  bool running = false;
};

// A text with {port}, {sent} and {total} filled in from the progress.
std::string fillProgress(std::string text, const SendProgressView& progress);

enum class StopResult {
  NotRunning,  // no send was running
  Stopped,     // the send has ended; the operator was told how far it got
  Pending,     // the port holds the write in progress and cannot be interrupted:
               // the send ends when the cutter takes the current piece
  EndProgram,  // ... and the operator chose to end the program instead
};

enum class CloseStep {
  Close,        // nothing is being sent (any more): close now
  WaitForSend,  // the send goes on: close when it has ended
  EndProgram,   // the send cannot be stopped and the operator chose to end the program
};

// How the job's owner follows a serial send on the worker.
class SendWatcher {
 public:
  virtual ~SendWatcher();
  // On the worker's thread: a piece went out, or the send ended.
  virtual void sendChanged() = 0;
  // On the job's thread: returns once the send of a command text has ended
  // (sending() is false), serving the operator meanwhile, who may stop it.
  virtual void waitForCommand() = 0;
};

// One job from the tool window's job file to the cutter: prepared once when
// the program starts, then built and sent at each Output press.
class OutputJob {
 public:
  OutputJob(JobFiles files, Transport& transport, Operator& op, const TextSource& texts);
  ~OutputJob();  // waits for a serial send still running
  OutputJob(const OutputJob&) = delete;
  OutputJob& operator=(const OutputJob&) = delete;

  const JobFiles& files() const { return files_; }
  bool jobFileExists() const;

  // Reads the job, moves it onto its reference corner, measures it and
  // writes the intermediate file, in place of any earlier one. When that
  // file could not be written whole, the job stays unprepared: no press
  // sends anything of it.
  void prepareJob();

  // The Output press after the settings were saved: builds the stream and
  // sends it. A stream that this press did not write, or one built from an
  // intermediate file this start did not write, is never sent.
  SendOutcome runJob(const OutputChoices& choices);
  bool buildStream(const OutputChoices& choices);
  SendOutcome sendJob(const OutputChoices& choices);

  // Waits for a serial send on the worker, then tells the operator what
  // the worker reported; Sent, Failed, Stopped, or NotSent when none was
  // running.
  SendOutcome waitForSend();
  bool sending() const;
  SendProgressView sendProgress() const;
  // Without a watcher a command text's send is simply waited for.
  void setWatcher(SendWatcher* watcher) { watcher_ = watcher; }

  // The Stop button: the send writes nothing more and the write in progress
  // is interrupted. When it has not ended within the patience, the port
  // cannot interrupt the write, and the operator is asked whether to end
  // the program instead.
  StopResult stopSend();
  void setStopPatience(std::chrono::milliseconds patience) { stopPatience_ = patience; }
  // For a stop from a signal handler (Ctrl-C on a terminal).
  SendStop& sendStop() { return stop_; }

  // Closing: during a send, asks whether to stop the cut.
  CloseStep closeRequested();

  // Closing: waits for a running send, then deletes the three job files.
  void removeTemporaryFiles();
  // Ending the program while the worker still blocks in a write it cannot
  // leave: deletes the files at once. The worker read its stream into
  // memory before it opened the port, so no file is read after this.
  void removeTemporaryFilesNow();

  const PltConverter& model() const { return model_; }
  // What the cut order did to the last stream built; none when it was off.
  const std::optional<CutOrderFigures>& lastCutOrder() const { return lastCutOrder_; }

 private:
  enum class SerialState { Idle, Running, Sent, Failed, Stopped };

  // What the worker tells the operator, kept until the job's thread shows
  // it: message boxes belong to the dialog's thread, and a worker waiting
  // for one would still hold the port.
  class WorkerReports final : public Operator {
   public:
    void tell(MessageKind kind, std::string_view text) override;
    bool askOkCancel(std::string_view text) override;
    std::vector<std::pair<MessageKind, std::string>> take();

   private:
    std::mutex mutex_;
    std::vector<std::pair<MessageKind, std::string>> messages_;
  };

  std::string writeIntermediate();
  SendOutcome sendCommand(const PortEntry& port, const std::string& text,
                          const SendOptions& options);
  SendOutcome sendStream(const PortEntry& port, std::uint32_t baud);
  void startSerial(SerialSendJob job, std::size_t total);
  bool waitForEnd(std::chrono::milliseconds patience);

  JobFiles files_;
  Transport& transport_;
  Operator& operator_;
  const TextSource& texts_;
  PltConverter model_;
  std::optional<CutOrderFigures> lastCutOrder_;
  std::string unprepared_;  // why this start's intermediate file is not on disk whole
  std::atomic<SerialState> serialState_{SerialState::Idle};
  SendWatcher* watcher_ = nullptr;
  std::chrono::milliseconds stopPatience_{1500};
  SendStop stop_;
  mutable std::mutex progressMutex_;
  std::condition_variable ended_;
  SendProgressView progress_;
  WorkerReports reports_;
  // Last: its destructor waits for the worker, which uses everything above.
  SerialSendWorkers serialWorkers_;
};

}  // namespace corvane

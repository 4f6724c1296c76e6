#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>

#include "common/operator.h"
#include "output/engine/plt_converter.h"
#include "output/pipeline/output_texts.h"
#include "output/transport/serial_worker.h"
#include "output/transport/transport.h"

namespace corvane {

// The files of one job, all in the program's directory.
struct JobFiles {
  std::filesystem::path directory;

  std::filesystem::path job() const { return directory / "QuillonPro1.tmp"; }
  std::filesystem::path plain() const { return directory / "QuillonPro2.tmp"; }
  std::filesystem::path stream() const { return directory / "QuillonPro3.tmp"; }
  std::filesystem::path config() const { return directory / "Config.ini"; }
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
};

enum class SendOutcome {
  NotSent,       // nothing was sent (no job command, no stream, no valid port)
  Sent,          // every byte reached the port or the queue
  Started,       // a serial send runs on its worker; waitForSend() tells the end
  Cancelled,     // after the frame the operator chose not to cut; TB24 was sent
  CancelFailed,  // the operator chose not to cut, and TB24 could not be sent
  Failed,        // a send failed; the operator has been told
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

  // Waits for a serial send on the worker; Sent, Failed, or NotSent when
  // none was running.
  SendOutcome waitForSend();
  bool sending() const;

  // Closing: waits for a running send, then deletes the three job files.
  void removeTemporaryFiles();

  const PltConverter& model() const { return model_; }

 private:
  enum class SerialState { Idle, Running, Sent, Failed };

  std::string writeIntermediate();
  SendOutcome sendStream(const PortEntry& port, std::uint32_t baud);

  JobFiles files_;
  Transport& transport_;
  Operator& operator_;
  const TextSource& texts_;
  PltConverter model_;
  std::string unprepared_;  // why this start's intermediate file is not on disk whole
  std::atomic<SerialState> serialState_{SerialState::Idle};
  SerialSendWorkers serialWorkers_;
};

}  // namespace corvane

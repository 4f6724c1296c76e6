#include "output/cli/run_command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "common/path_text.h"
#include "common/settings/output_settings.h"
#include "output/cli/cli_common.h"
#include "output/cli/cut_order_text.h"
#include "output/cli/interrupt_stop.h"
#include "output/cli/port_commands.h"
#include "output/dialog/output_dialog_model.h"
#include "output/pipeline/decimal_text.h"
#include "output/pipeline/output_job.h"

namespace corvane {

namespace {

constexpr int kExitSent = 0;
constexpr int kExitNotSent = cli::kExitFailed;
constexpr int kExitDeclined = 3;

constexpr const char* kUsage =
    "usage: corvane-out run [DIR] [--port PORT] [--baud N] [--machine NAME]\n"
    "                       [--angle MM|off] [--closed MM|off] [--preview FILE.svg]\n"
    "                       [--order | --no-order]\n";

int usageError(const std::string& what) { return cli::usageError(what, kUsage); }

struct RunOptions {
  std::string directory = ".";
  std::string port;
  std::string baud;
  std::string machine;
  std::string angle;   // "off", or millimetres
  std::string closed;  // "off", or millimetres
  std::string preview;
  std::optional<bool> order;  // none: as saved
};

bool parse(int argc, char** argv, RunOptions& options, std::string& problem) {
  bool directoryGiven = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    std::string* target = arg == "--port"      ? &options.port
                          : arg == "--baud"    ? &options.baud
                          : arg == "--machine" ? &options.machine
                          : arg == "--angle"   ? &options.angle
                          : arg == "--closed"  ? &options.closed
                          : arg == "--preview" ? &options.preview
                                               : nullptr;
    if (arg == "--order" || arg == "--no-order") {
      options.order = arg == "--order";
    } else if (target != nullptr) {
      if (i + 1 >= argc) {
        problem = std::string(arg) + " needs a value";
        return false;
      }
      *target = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      problem = "unknown option " + std::string(arg);
      return false;
    } else if (!directoryGiven) {
      options.directory = arg;
      directoryGiven = true;
    } else {
      problem = "more than one directory given";
      return false;
    }
  }
  return true;
}

// A distance option: "off" turns the option off, a number turns it on.
bool validDistance(const std::string& value) {
  return value.empty() || value == "off" ||
         (value.find_first_not_of("0123456789.-+") == std::string::npos &&
          value.find_first_of("0123456789") != std::string::npos);
}

void applyDistance(const std::string& value, bool& enabled, std::string& text) {
  if (value.empty()) return;
  enabled = value != "off";
  if (enabled) text = value;
}

void selectPort(OutputDialogModel& model, const PortEntry& port) {
  for (std::size_t i = 0; i < model.portEntries.size(); ++i) {
    if (model.portEntries[i].name == port.name) {
      model.selectPort(static_cast<int>(i));
      return;
    }
  }
  model.portEntries.push_back(port);
  model.ports.items.push_back(port.name);
  model.selectPort(static_cast<int>(model.ports.items.size()) - 1);
}

// "COM1: 65535 of 200000 bytes sent", rewritten in place as the pieces go out.
class TerminalProgress final : public SendWatcher {
 public:
  TerminalProgress(const OutputJob& job, std::FILE* out) : job_(job), out_(out) {}
  // The send's last call ends the line, before the send's messages come.
  void sendChanged() override {
    const SendProgressView progress = job_.sendProgress();
    std::fprintf(out_, "\r%s: %zu of %zu bytes sent%s", progress.port.c_str(), progress.sent,
                 progress.total, progress.running ? "" : "\n");
    std::fflush(out_);
  }
  void waitForCommand() override {}

 private:
  const OutputJob& job_;
  std::FILE* out_;
};

}  // namespace

int runRunCommand(int argc, char** argv, Transport& transport, Operator& op,
                  std::FILE* progressOut) {
  RunOptions options;
  std::string problem;
  if (!parse(argc, argv, options, problem)) return usageError(problem);

  if (!validDistance(options.angle) || !validDistance(options.closed)) {
    return usageError("--angle and --closed take a number of millimetres or off");
  }
  if (!options.baud.empty() && integerValue(options.baud) <= 0) {
    return usageError("--baud takes a positive number");
  }

  const EnglishTexts texts;
  OutputJob job(JobFiles{options.directory}, transport, op, texts);
  if (!job.jobFileExists()) {
    op.tell(MessageKind::Stop, texts.text(TextId::JobFileMissing));
    return kExitNotSent;
  }

  // The saved settings, then this run's choices over them.
  OutputDialogModel model;
  const settings::OutputSettings saved = settings::loadOutputSettings(job.files().config());
  model.loadSettings(saved, transport.listPorts(op));
  applyDistance(options.angle, model.angleEnabled, model.angleText);
  applyDistance(options.closed, model.closedEnabled, model.closedText);
  if (options.order) model.orderEnabled = *options.order;
  // On a terminal a device path saved as the port is that device, listed or
  // not, as it would be given with --port.
  std::string port = options.port;
  if (port.empty() && saved.portName.find('/') != std::string::npos &&
      model.ports.selectedText() != saved.portName) {
    port = saved.portName;
  }
  if (!port.empty()) selectPort(model, resolvePort(transport, port));
  if (!options.baud.empty()) {
    model.bauds.items.push_back(options.baud);
    model.bauds.select(static_cast<int>(model.bauds.items.size()) - 1);
  }
  if (!options.machine.empty()) {
    model.machines.items.push_back(options.machine);
    model.machines.select(static_cast<int>(model.machines.items.size()) - 1);
  }

  job.prepareJob();
  if (!settings::saveOutputSettings(job.files().config(), model.settingsToSave())) {
    op.tell(MessageKind::Warning,
            "The settings could not be saved in " + pathText(job.files().config()));
  }
  std::optional<TerminalProgress> progress;
  if (progressOut != nullptr) {
    progress.emplace(job, progressOut);
    job.setWatcher(&*progress);
  }
  const CtrlCStopsSend interruptible(job.sendStop());
  SendOutcome outcome = job.runJob(model.choices());
  if (outcome == SendOutcome::Started) outcome = job.waitForSend();
  job.setWatcher(nullptr);
  progress.reset();
  if (job.lastCutOrder()) cli::printCutOrder(*job.lastCutOrder());
  if (!options.preview.empty() && outcome != SendOutcome::NotSent) {
    cli::writeStreamPreview(job.files().stream(), options.preview, op);
  }

  switch (outcome) {
    case SendOutcome::Sent:
      job.removeTemporaryFiles();
      std::printf("Job sent to %s.\n", model.ports.selectedText().c_str());
      return kExitSent;
    case SendOutcome::Cancelled:
      job.removeTemporaryFiles();
      std::printf("Cut declined; TB24 sent to %s.\n", model.ports.selectedText().c_str());
      return kExitDeclined;
    case SendOutcome::CancelFailed:
      std::fprintf(stderr,
                   "corvane-out: cut declined, but sending TB24 to %s failed; the job's files are "
                   "kept in %s\n",
                   model.ports.selectedText().c_str(), options.directory.c_str());
      return kExitNotSent;
    default:
      std::fprintf(stderr, "corvane-out: the job was not sent; its files are kept in %s\n",
                   options.directory.c_str());
      return kExitNotSent;
  }
}

}  // namespace corvane

#include "output/cli/simulate_command.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/job_contract.h"
#include "common/settings/config_keys.h"
#include "common/settings/output_settings.h"
#include "output/cli/cli_common.h"
#include "output/cli/stderr_operator.h"
#include "output/engine/byte_sink.h"
#include "output/engine/command_writer.h"
#include "output/knife/knife_simulation.h"
#include "output/knife/knife_svg.h"
#include "output/pipeline/convert_job.h"
#include "output/pipeline/decimal_text.h"
#include "output/preview/stream_trace.h"

namespace corvane {

namespace {

constexpr const char* kUsage =
    "usage: corvane-out simulate JOB --blade MM [--machine NAME] [--angle MM|off]\n"
    "                            [--closed MM|off] [--heading DEG] [--svg FILE] [--suggest]\n";

int usageError(const std::string& what) { return cli::usageError(what, kUsage); }

constexpr double kOvershootLimit = 0.1 * kKnifeUnitsPerMm;
constexpr double kSuggestStepMm = 0.05;

// One corner setting: each option off (nullopt) or at a distance in mm.
struct CornerSetting {
  std::optional<double> angle;
  std::optional<double> closed;
};

std::string describeOption(const char* name, std::optional<double> mm) {
  if (!mm) return std::string(name) + " off";
  char text[48];
  std::snprintf(text, sizeof text, "%s %.2f mm", name, *mm);
  return text;
}

std::string describeSetting(const CornerSetting& s) {
  return describeOption("ANGLE", s.angle) + ", " + describeOption("CLOSED", s.closed);
}

// A scratch directory for the stream and intermediate file, removed after.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "corvane-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  bool ok() const { return !path_.empty(); }
  std::string file(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whether the job file holds a job instruction (DB or TB) as the reader
// takes it: a command of at least four bytes, line breaks dropped.
bool hasJobInstruction(std::string_view text) {
  std::string command;
  for (const char c : text) {
    if (c == '\r' || c == '\n') continue;
    command += c;
    if (c != job::kInstructionEnd) continue;
    if (command.size() >= 4) {
      const job::Instruction named = job::instructionNamed(command[0], command[1]);
      if (named == job::Instruction::Db || named == job::Instruction::Tb) return true;
    }
    command.clear();
  }
  return false;
}

// A drawing without a job instruction gets the one Cut/Plot would give it:
// the reference corner 10 mm right of and below the drawing.
std::optional<std::string> framedAsCutPlot(std::string_view drawing) {
  const StreamTrace trace = traceStream(drawing);
  if (trace.segments.empty()) return std::nullopt;
  std::int32_t right = trace.segments[0].x1;
  std::int32_t bottom = trace.segments[0].y1;
  for (const TraceSegment& s : trace.segments) {
    right = std::max(right, s.x1);
    bottom = std::min(bottom, s.y1);
  }
  constexpr auto kMargin = static_cast<std::int32_t>(10 * job::kPlotterUnitsPerMm);
  return std::string(drawing) + "\r\n" + job::dbLine(right + kMargin, bottom - kMargin);
}

struct SimulateOptions {
  std::string job;
  std::string machine;
  std::string angle;   // "off", millimetres, or empty: as saved
  std::string closed;  // likewise
  std::optional<double> blade;
  std::optional<double> heading;
  std::string svg;
  bool suggest = false;
};

class Simulator {
 public:
  Simulator(const SimulateOptions& options, double blade, double heading, Operator& op)
      : options_(options), blade_(blade), heading_(heading), op_(op) {}

  // The job's stream for one setting, simulated; nullopt when no stream
  // could be made (the operator has been told why).
  // The job file to prepare: the given one, or a framed copy of a drawing.
  bool prepare() {
    if (!scratch_.ok()) {
      op_.tell(MessageKind::Stop, "Cannot make a scratch directory for the simulation");
      return false;
    }
    jobPath_ = options_.job;
    const auto text = cli::readWholeFile(options_.job);
    if (!text || hasJobInstruction(*text)) return true;  // the reader tells what is wrong
    const auto framed = framedAsCutPlot(*text);
    if (!framed) return true;
    jobPath_ = scratch_.file("job");
    FileSink file(jobPath_);
    if (!file.isOpen() || !file.write(*framed) || !file.close()) {
      op_.tell(MessageKind::Stop, file.error());
      return false;
    }
    std::fprintf(stderr, "corvane-out: %s has no job instruction; framed as Cut/Plot frames it\n",
                 options_.job.c_str());
    return true;
  }

  std::optional<KnifeSimulation> run(const std::string& machine, const CornerSetting& setting) {
    ConvertRequest request{jobPath_, scratch_.file("stream"), scratch_.file("plain"),
                           machine,  setting.angle,           setting.closed};
    if (!convertJob(request, op_)) return std::nullopt;
    const auto stream = cli::readWholeFile(request.streamPath);
    const auto plain = cli::readWholeFile(request.intermediatePath);
    if (!stream || !plain) {
      op_.tell(MessageKind::Stop, "Cannot read the stream back for the simulation");
      return std::nullopt;
    }
    return simulateStream(*stream, *plain, blade_, heading_);
  }

 private:
  const SimulateOptions& options_;
  double blade_;
  double heading_;
  Operator& op_;
  ScratchDirectory scratch_;
  std::string jobPath_;
};

bool parse(int argc, char** argv, SimulateOptions& options, std::string& problem) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--suggest") {
      options.suggest = true;
      continue;
    }
    if (arg == "--machine" || arg == "--angle" || arg == "--closed" || arg == "--blade" ||
        arg == "--heading" || arg == "--svg") {
      if (i + 1 >= argc) {
        problem = std::string(arg) + " needs a value";
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--machine") {
        options.machine = value;
      } else if (arg == "--svg") {
        options.svg = value;
      } else if (arg == "--angle" || arg == "--closed") {
        if (value != "off" && !cli::parseDecimal(value)) {
          problem = std::string(arg) + " takes a number of millimetres or off";
          return false;
        }
        (arg == "--angle" ? options.angle : options.closed) = value;
      } else {
        const auto number = cli::parseDecimal(value);
        if (!number) {
          problem = std::string(arg) + ": not a number: " + value;
          return false;
        }
        (arg == "--blade" ? options.blade : options.heading) = number;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      problem = "unknown option " + std::string(arg);
      return false;
    } else if (options.job.empty()) {
      options.job = arg;
    } else {
      problem = "more than one job file given";
      return false;
    }
  }
  if (options.job.empty()) problem = "no job file given";
  return problem.empty();
}

// An option as given, else as saved: on with its distance, or off.
std::optional<double> cornerOption(const std::string& given, const std::string& savedEnabled,
                                   const std::string& savedText) {
  if (given == "off") return std::nullopt;
  if (!given.empty()) return cli::parseDecimal(given);
  if (integerValue(savedEnabled) == 0) return std::nullopt;
  return decimalValue(savedText);
}

bool better(const CutFigures& a, const CutFigures& b) {
  if (a.miss.distance != b.miss.distance) return a.miss.distance < b.miss.distance;
  return a.overshoot.distance < b.overshoot.distance;
}

int suggest(Simulator& simulator, const std::string& machine, const CornerSetting& current,
            bool given, double bladeMm) {
  const auto currentRun = simulator.run(machine, current);
  if (!currentRun) return cli::kExitFailed;

  std::vector<std::optional<double>> distances{std::nullopt};
  for (int k = 1; k * kSuggestStepMm <= 2 * bladeMm + 1e-9; ++k) {
    // As an operator would type it, so that it reads as the dialog's would.
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", k * kSuggestStepMm);
    distances.push_back(decimalValue(text));
  }
  std::optional<CornerSetting> best;
  std::optional<CutFigures> bestFigures;
  // When the knife going down already scratches 0.1 mm off the design, the
  // best is the one that misses least without overshooting more than the
  // saved setting does; failing that, the one that misses least.
  const double savedOvershoot = currentRun->figures.overshoot.distance + kFarthestTolerance;
  std::optional<CornerSetting> noWorse;
  std::optional<CutFigures> noWorseFigures;
  std::optional<CornerSetting> fallback;
  std::optional<CutFigures> fallbackFigures;
  for (const auto& angle : distances) {
    for (const auto& closed : distances) {
      const CornerSetting setting{angle, closed};
      const auto run = simulator.run(machine, setting);
      if (!run) continue;
      const CutFigures& f = run->figures;
      if (!fallbackFigures || better(f, *fallbackFigures)) {
        fallback = setting;
        fallbackFigures = f;
      }
      if (f.overshoot.distance <= savedOvershoot &&
          (!noWorseFigures || better(f, *noWorseFigures))) {
        noWorse = setting;
        noWorseFigures = f;
      }
      if (f.overshoot.distance < kOvershootLimit && (!bestFigures || better(f, *bestFigures))) {
        best = setting;
        bestFigures = f;
      }
    }
  }
  std::printf("%s %s: %s\n", given ? "given" : "saved", describeSetting(current).c_str(),
              describeFigures(currentRun->figures).c_str());
  if (best) {
    std::printf("best  %s: %s\n", describeSetting(*best).c_str(),
                describeFigures(*bestFigures).c_str());
  } else if (noWorse) {
    std::printf(
        "best  %s (no setting keeps the overshoot under 0.1 mm; this one overshoots no "
        "more than the %s one): %s\n",
        describeSetting(*noWorse).c_str(), given ? "given" : "saved",
        describeFigures(*noWorseFigures).c_str());
  } else if (fallback) {
    std::printf("best  %s (no setting keeps the overshoot under 0.1 mm): %s\n",
                describeSetting(*fallback).c_str(), describeFigures(*fallbackFigures).c_str());
  }
  return 0;
}

}  // namespace

int runSimulateCommand(int argc, char** argv) {
  SimulateOptions options;
  std::string problem;
  if (!parse(argc, argv, options, problem)) return usageError(problem);

  const std::filesystem::path config =
      std::filesystem::path(options.job).parent_path() / std::string(settings::kConfigFileName);
  const settings::OutputSettings saved = settings::loadOutputSettings(config);
  if (!options.blade) {
    const std::string savedBlade = settings::loadBladeOffset(config);
    if (!savedBlade.empty()) options.blade = decimalValue(savedBlade);
  }
  if (!options.blade) return usageError("no blade offset given (--blade MM)");
  if (!(*options.blade > 0) || *options.blade > 10) {
    return usageError("--blade takes a blade offset above 0 and up to 10 mm");
  }
  if (!options.svg.empty() && std::filesystem::path(options.svg) == options.job) {
    return usageError("the picture must not overwrite the job file");
  }
  const std::string machine = options.machine.empty() ? saved.machine : options.machine;
  const CornerSetting setting{cornerOption(options.angle, saved.angleEnabled, saved.angleText),
                              cornerOption(options.closed, saved.closedEnabled, saved.closedText)};
  const double heading = options.heading.value_or(0.0);

  StderrOperator op;
  std::fprintf(stderr, "corvane-out: blade %.2f mm, heading %g degrees from +X%s, %s, %s (%s)\n",
               *options.blade, heading, options.heading ? "" : " (default)",
               describeSetting(setting).c_str(), machine.c_str(),
               dialectName(dialectForMachine(machine)));
  Simulator simulator(options, *options.blade, heading, op);
  if (!simulator.prepare()) return cli::kExitFailed;
  if (options.suggest) {
    return suggest(simulator, machine, setting, !options.angle.empty() || !options.closed.empty(),
                   *options.blade);
  }

  const auto simulation = simulator.run(machine, setting);
  if (!simulation) {
    std::fprintf(stderr, "corvane-out: nothing simulated\n");
    return cli::kExitFailed;
  }
  if (simulation->design.empty() || simulation->cut.runs.empty()) {
    std::fprintf(stderr, "corvane-out: the job cuts nothing\n");
    return cli::kExitFailed;
  }
  std::printf("%s\n", describeFigures(simulation->figures).c_str());
  if (!options.svg.empty()) {
    FileSink file(options.svg);
    if (!file.isOpen() || !file.write(renderSvgSimulation(*simulation)) || !file.close()) {
      op.tell(MessageKind::Warning, file.error());
      return cli::kExitFailed;
    }
  }
  return 0;
}

}  // namespace corvane

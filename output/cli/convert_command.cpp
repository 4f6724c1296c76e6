#include "output/cli/convert_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/path_text.h"
#include "output/cli/cli_common.h"
#include "output/cli/cut_order_text.h"
#include "output/cli/stderr_operator.h"
#include "output/engine/byte_sink.h"
#include "output/engine/command_writer.h"
#include "output/pipeline/convert_job.h"
#include "output/preview/svg_preview.h"

namespace corvane {

namespace {

constexpr const char* kUsage =
    "usage: corvane-out convert JOB -o STREAM [--machine NAME] [--angle MM] [--closed MM]\n"
    "                           [--intermediate FILE] [--preview FILE.svg [--blade MM]]\n"
    "                           [--order [--report] | --no-order]\n";

int usageError(const std::string& what) { return cli::usageError(what, kUsage); }

bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

}  // namespace

int runConvertCommand(int argc, char** argv) {
  ConvertRequest request;
  std::filesystem::path previewPath;
  bool keepIntermediate = false;
  bool report = false;
  std::optional<double> bladeMm;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--order" || arg == "--no-order") {
      request.order = arg == "--order";
    } else if (arg == "--report") {
      report = true;
    } else if (arg == "-o" || arg == "--machine" || arg == "--angle" || arg == "--closed" ||
               arg == "--intermediate" || arg == "--preview" || arg == "--blade") {
      const char* text = value();
      if (text == nullptr) return usageError(std::string(arg) + " needs a value");
      if (arg == "-o") {
        request.streamPath = text;
      } else if (arg == "--machine") {
        request.machine = text;
      } else if (arg == "--intermediate") {
        request.intermediatePath = text;
        keepIntermediate = true;
      } else if (arg == "--preview") {
        previewPath = text;
      } else {
        const auto mm = cli::parseDecimal(text);
        if (!mm) return usageError(std::string(arg) + ": not a number of millimetres: " + text);
        (arg == "--angle" ? request.angleMm : arg == "--closed" ? request.closedMm : bladeMm) = mm;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return usageError("unknown option " + std::string(arg));
    } else if (request.jobPath.empty()) {
      request.jobPath = arg;
    } else {
      return usageError("more than one job file given");
    }
  }
  if (request.jobPath.empty()) return usageError("no job file given");
  if (bladeMm && (previewPath.empty() || !(*bladeMm > 0))) {
    return usageError("--blade takes a blade offset above 0 mm, for the picture of --preview");
  }
  if (request.streamPath.empty()) return usageError("no stream file given (-o STREAM)");
  if (report && !request.order) return usageError("--report tells the cut order: give --order");
  if (request.intermediatePath.empty()) {
    request.intermediatePath = request.streamPath;
    request.intermediatePath += ".plain";
  }
  if (samePlace(request.jobPath, request.streamPath) ||
      samePlace(request.jobPath, request.intermediatePath) ||
      samePlace(request.streamPath, request.intermediatePath) ||
      (!previewPath.empty() &&
       (samePlace(previewPath, request.jobPath) || samePlace(previewPath, request.streamPath)))) {
    return usageError("the job, intermediate, stream and preview files must be different files");
  }

  StderrOperator op;
  CutOrderFigures figures;
  const bool written = convertJob(request, op, &figures);
  // The design the simulated cut is measured against, before it goes.
  const std::string design =
      written && bladeMm ? cli::readWholeFile(request.intermediatePath).value_or("") : "";
  std::error_code error;
  if (!keepIntermediate) std::filesystem::remove(request.intermediatePath, error);
  if (!written) {
    // A step that failed has named its file and reason already.
    if (!op.failureTold()) std::fprintf(stderr, "corvane-out: no stream written\n");
    return cli::kExitFailed;
  }

  const auto size = std::filesystem::file_size(request.streamPath, error);
  std::printf("%s: %ju bytes of %s\n", pathText(request.streamPath).c_str(),
              static_cast<std::uintmax_t>(size), dialectName(dialectForMachine(request.machine)));
  if (request.order) {
    cli::printCutOrder(figures);
    if (report) {
      std::printf("path\tcut\n");
      for (std::size_t i = 0; i < figures.placeInCut.size(); ++i) {
        std::printf("%zu\t%zu\n", i + 1, figures.placeInCut[i] + 1);
      }
    }
  }
  if (bladeMm) {
    if (cli::writeKnifePreview(request.streamPath, design, *bladeMm, previewPath, op)) {
      std::printf("%s: preview of the cut, with the knife's cut at a blade offset of %g mm\n",
                  pathText(previewPath).c_str(), *bladeMm);
    }
  } else if (!previewPath.empty() && cli::writeStreamPreview(request.streamPath, previewPath, op)) {
    std::printf("%s: preview of the cut\n", pathText(previewPath).c_str());
  }
  return 0;
}

}  // namespace corvane

#include "toolwindow/cli/tool_command_line.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "toolwindow/cli/output_program_run.h"
#include "toolwindow/cli/svg_document.h"
#include "toolwindow/cli/terminal_tool_operator.h"
#include "toolwindow/lang/builtin_text_table.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/windows/memory_windows.h"
#include "toolwindow/windows/frm_main.h"
#include "toolwindow/windows/frm_trace.h"
#include "toolwindow/windows/tool_program.h"

namespace corvane::toolwindow {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: corvane DRAWING [--select all|none|NAME,...] [--dir DIR] [--build X6|X3|X4]\n"
    "                       [--no-handoff] [--picture FILE.svg] [--print FILE.svg] COMMAND...\n"
    "commands: cut-plot, trace MM, mark, cut-contour, delete-contour, lang\n";

struct Command {
  std::string name;
  std::string offset;  // trace only: the text typed into the offset box
};

struct Options {
  std::string drawing;
  std::string select = "all";
  std::filesystem::path directory = ".";
  BuildVariant build = BuildVariant::X6;
  bool handOff = true;
  std::string picture;
  std::string print;  // SVG drawings only: the sheet to print, with the marks
  std::vector<Command> commands;
};

int UsageError(const std::string& what) {
  std::fprintf(stderr, "corvane: %s\n%s", what.c_str(), kUsage);
  return kExitUsage;
}

bool IsCommand(std::string_view name) {
  return name == "cut-plot" || name == "trace" || name == "mark" || name == "cut-contour" ||
         name == "delete-contour" || name == "lang";
}

bool Parse(int argc, char** argv, Options& options, std::string& problem) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takesValue = arg == "--select" || arg == "--dir" || arg == "--build" ||
                            arg == "--picture" || arg == "--print";
    if (takesValue && i + 1 >= argc) {
      problem = std::string(arg) + " needs a value";
      return false;
    }
    if (arg == "--select") {
      options.select = argv[++i];
    } else if (arg == "--dir") {
      options.directory = argv[++i];
    } else if (arg == "--picture") {
      options.picture = argv[++i];
    } else if (arg == "--print") {
      options.print = argv[++i];
    } else if (arg == "--build") {
      const std::string_view build = argv[++i];
      if (build == "X6") {
        options.build = BuildVariant::X6;
      } else if (build == "X3") {
        options.build = BuildVariant::X3;
      } else if (build == "X4") {
        options.build = BuildVariant::X4;
      } else {
        problem = "--build takes X6, X3 or X4";
        return false;
      }
    } else if (arg == "--no-handoff") {
      options.handOff = false;
    } else if (!arg.empty() && arg[0] == '-') {
      problem = "unknown option " + std::string(arg);
      return false;
    } else if (options.drawing.empty()) {
      options.drawing = arg;
    } else if (!IsCommand(arg)) {
      problem = "unknown command " + std::string(arg);
      return false;
    } else if (arg == "trace") {
      if (i + 1 >= argc) {
        problem = "trace needs the outside offset in millimetres";
        return false;
      }
      options.commands.push_back({"trace", argv[++i]});
    } else {
      options.commands.push_back({std::string(arg), {}});
    }
  }
  if (options.drawing.empty()) {
    problem = "no drawing given";
    return false;
  }
  if (options.commands.empty()) {
    problem = "no command given";
    return false;
  }
  if (!options.print.empty() && !IsSvgDrawing(options.drawing)) {
    problem = "--print needs an SVG drawing";
    return false;
  }
  // The job file and Config.ini live there: a folder that is not there
  // would fail only at the first export, under a message about the drawing.
  std::error_code error;
  if (!std::filesystem::is_directory(options.directory, error)) {
    problem = "--dir " + options.directory.string() + ": no such folder";
    return false;
  }
  return true;
}

std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    if (comma > start) names.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return names;
}

// The operator's selection in the host before the tool window starts.
bool Select(standin::StandInHost& host, const std::string& select) {
  if (select == "all") {
    host.selectAll();
  } else if (select == "none") {
    host.clearSelection();
  } else {
    try {
      host.select(SplitNames(select));
    } catch (const std::invalid_argument&) {
      std::fprintf(stderr, "corvane: --select %s names a shape the drawing does not have\n",
                   select.c_str());
      return false;
    }
  }
  return true;
}

// What the host's last call was asked of, as its log names it: a shape by
// its name, anything else as the log writes it.
std::string SubjectOfLastCall(const standin::StandInHost& host) {
  const auto& calls = host.calls();
  if (calls.empty() || calls.back().arguments.empty()) return {};
  std::string subject = calls.back().arguments.front();
  const std::string_view shape = "shape \"";
  if (subject.starts_with(shape) && subject.size() > shape.size() + 1) {
    subject = subject.substr(shape.size(), subject.size() - shape.size() - 1);
  }
  constexpr std::size_t kLongest = 60;
  if (subject.size() > kLongest) subject = subject.substr(0, kLongest) + "...";
  return subject;
}

// The operator at the trace settings window: opens it from the main
// window, works it, and closes it unless the window closed itself.
template <class Work>
bool WithTraceWindow(ToolProgram& program, frmMain& main, Work work) {
  main.cmdTrace_Click();
  const std::shared_ptr<frmTrace> window = program.LoadTraceWindow();
  const bool done = work(*window);
  if (program.TraceWindow() == window.get()) program.UnloadTraceWindow();
  return done;
}

bool RunCommand(const Command& command, ToolProgram& program, frmMain& main) {
  if (command.name == "cut-plot") return main.cmdCutPlot_Click();
  if (command.name == "cut-contour") return main.cmdCutout_Click();
  if (command.name == "mark") return main.cmdMark_Click();
  if (command.name == "lang") {
    main.cmdLang_Click();
    std::printf("corvane: the interface is %s\n",
                program.lang.CurrentLanguage == kLanguageChinese ? "Chinese" : "English");
    return true;
  }
  if (command.name == "trace") {
    return WithTraceWindow(program, main, [&](frmTrace& window) {
      window.view().SetOffsetText(command.offset);
      return window.cmdTrace_Click();
    });
  }
  return WithTraceWindow(program, main, [](frmTrace& window) {
    window.cmdDelTrace_Click();
    return true;
  });
}

}  // namespace

int RunToolCommandLine(int argc, char** argv, const std::filesystem::path& programDirectory) {
  const std::string_view first = argc > 0 ? argv[0] : "";
  if (first == "--help") {
    std::fputs(kUsage, stdout);
    return kExitDone;
  }
  if (first == "--version") {
    std::printf("corvane %s\n", CORVANE_VERSION);
    return kExitDone;
  }
  Options options;
  std::string problem;
  if (!Parse(argc, argv, options, problem)) return UsageError(problem);

  standin::StandInHost host;
  host.closeAllDocuments();
  standin::svg::SvgDrawing svgDrawing;
  if (IsSvgDrawing(options.drawing)) {
    if (!OpenSvgDrawing(host, options.drawing, svgDrawing)) return kExitFailed;
  } else if (const host::HostStatus opened = host.openPltDocument(options.drawing); !opened) {
    std::fprintf(stderr, "corvane: cannot open %s: %s\n", options.drawing.c_str(),
                 opened.error().text.c_str());
    return kExitFailed;
  }
  if (!Select(host, options.select)) return kExitFailed;

  ProgramPaths paths = ProgramPathsIn(options.directory);
  paths.outputProgram = programDirectory / "corvane-out";
  const BuiltInTextTable texts;
  TerminalToolOperator op(texts, stderr, [&host] { return SubjectOfLastCall(host); });
  OutputProgramRun handOff(options.directory);
  NoHandOff noHandOff;
  ProgramStarter& starter = options.handOff ? static_cast<ProgramStarter&>(handOff) : noHandOff;
  MemoryMainWindow mainWindow;
  MemoryTraceWindows traceWindows;
  ToolProgram program(options.build, paths, host, op, starter, texts, mainWindow, traceWindows);

  frmMain main(program);
  main.Form_Load();
  int status = kExitDone;
  for (const Command& command : options.commands) {
    std::fflush(stdout);
    const bool done = RunCommand(command, program, main);
    op.PrintNotes();
    if (!done) {
      std::fprintf(stderr, "corvane: %s did not complete\n", command.name.c_str());
      status = kExitFailed;
    }
  }
  main.Form_Unload();

  if (!options.print.empty()) {
    // A sheet printed after a failed command could carry marks the cut
    // does not expect.
    if (status != kExitDone) {
      std::fprintf(stderr, "corvane: %s not written: a command did not complete\n",
                   options.print.c_str());
    } else if (!WriteSvgPrintFile(host, svgDrawing, options.print)) {
      status = kExitFailed;
    }
  }
  if (!options.picture.empty()) {
    if (const host::HostStatus drawn = host.writeSvgPicture(options.picture); !drawn) {
      std::fprintf(stderr, "corvane: %s\n", drawn.error().text.c_str());
      status = kExitFailed;
    }
  }
  return status;
}

}  // namespace corvane::toolwindow

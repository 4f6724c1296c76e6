#include "toolwindow/standins/host/standin_plt.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include "common/job_contract.h"

namespace corvane::standin {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kReadUnitsPerMm = job::kPlotterUnitsPerMm;

std::string plotterNumber(double value) {
  const double limit = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::round(std::clamp(value, -limit, limit));
  return std::to_string(static_cast<std::int32_t>(rounded));
}

void appendPoint(std::string& out, const host::Point& p, double scale) {
  out += plotterNumber(p.x * scale);
  out += ',';
  out += plotterNumber(p.y * scale);
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// One HPGL command: its two letters and its numbers.
struct Command {
  std::string mnemonic;
  std::vector<double> numbers;
};

// Commands end at ';' or where the next command's letters begin.
std::vector<Command> commandsOf(std::string_view text) {
  std::vector<Command> commands;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!isLetter(text[i])) {
      ++i;
      continue;
    }
    Command command;
    while (i < text.size() && isLetter(text[i]) && command.mnemonic.size() < 2) {
      command.mnemonic += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i++])));
    }
    while (i < text.size() && text[i] != ';' && !isLetter(text[i])) {
      double value = 0;
      const char* begin = text.data() + i;
      const char* end = text.data() + text.size();
      if (*begin == '+') ++begin;
      const auto [next, error] = std::from_chars(begin, end, value);
      if (error == std::errc() && next != begin) {
        command.numbers.push_back(value);
        i = static_cast<std::size_t>(next - text.data());
      } else {
        ++i;
      }
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

}  // namespace

std::string pltText(const std::vector<geometry::Paths>& shapes, const PltSettings& settings) {
  std::vector<geometry::Paths> written = shapes;
  if (settings.automaticWeld) written = {geometry::welded(written)};
  if (settings.removeHiddenLines) written = geometry::withoutHiddenLines(written);
  if (settings.curveResolution > 0) {
    for (geometry::Paths& shape : written) {
      shape = geometry::simplified(shape, settings.curveResolution * kMmPerInch);
    }
  }
  const double scale = settings.plotterUnits / kMmPerInch * settings.scaleFactor / 100.0;

  std::string out = "IN;PA;SP1;\r\n";
  for (const geometry::Paths& shape : written) {
    for (const Path& path : shape) {
      if (path.points.size() < 2) continue;
      out += "PU";
      appendPoint(out, path.points.front(), scale);
      out += ";\r\nPD";
      for (std::size_t i = 1; i < path.points.size(); ++i) {
        appendPoint(out, path.points[i], scale);
        out += ',';
      }
      if (path.closed) {
        appendPoint(out, path.points.front(), scale);
      } else {
        out.pop_back();  // the last comma
      }
      out += ";\r\n";
    }
  }
  out += "PU;SP0;\r\n";
  return out;
}

host::HostResult<std::vector<Path>> readPltRuns(std::string_view text) {
  std::vector<Path> runs;
  std::optional<Path> run;
  host::Point at;
  bool penDown = false;
  bool relative = false;
  const auto endRun = [&] {
    if (run && run->points.size() > 1) {
      Path& path = *run;
      const host::Point& first = path.points.front();
      const host::Point& last = path.points.back();
      if (path.points.size() > 3 && first.x == last.x && first.y == last.y) {
        path.points.pop_back();
        path.closed = true;
      }
      runs.push_back(std::move(path));
    }
    run.reset();
  };
  for (const Command& command : commandsOf(text)) {
    const std::string& m = command.mnemonic;
    if (m == "IN") {
      endRun();
      penDown = false;
      relative = false;
      at = {};
      continue;
    }
    if (m != "PU" && m != "PD" && m != "PA" && m != "PR") continue;
    if (m == "PA") relative = false;
    if (m == "PR") relative = true;
    if (m == "PU") {
      endRun();
      penDown = false;
    }
    if (m == "PD") penDown = true;
    for (std::size_t i = 0; i + 1 < command.numbers.size(); i += 2) {
      host::Point next{command.numbers[i] / kReadUnitsPerMm,
                       command.numbers[i + 1] / kReadUnitsPerMm};
      if (relative) next = {at.x + next.x, at.y + next.y};
      if (penDown) {
        if (!run) run = Path{{at}, false};
        run->points.push_back(next);
      }
      at = next;
    }
  }
  endRun();
  if (runs.empty()) {
    return host::HostError{"", "The file is not an HPGL drawing: it draws no line."};
  }
  return runs;
}

}  // namespace corvane::standin

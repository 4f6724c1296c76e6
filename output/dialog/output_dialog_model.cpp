#include "output/dialog/output_dialog_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "output/pipeline/decimal_text.h"

namespace corvane {

namespace {

// A saved choice may point only at the first 256 entries of a list.
constexpr int kLastSavedIndex = 255;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return lower(a) == lower(b); });
}

// trunc(value * 100) of a millimetre text, kept to the up-down's range.
int stepPositionOf(const std::string& millimetres) {
  const double position = std::trunc(decimalValue(millimetres) * 100.0);
  return static_cast<int>(std::clamp(position, 0.0, double{kStepPositionMax}));
}

ChoiceList fixedList(const char* const* begin, const char* const* end) {
  ChoiceList list;
  list.items.assign(begin, end);
  list.select(0);
  return list;
}

int clampToInt(double value) {
  return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}

}  // namespace

std::string ChoiceList::selectedText() const {
  return selected >= 0 && selected < static_cast<int>(items.size())
             ? items[static_cast<std::size_t>(selected)]
             : std::string();
}

void ChoiceList::select(int index) {
  selected = index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
}

int findSavedChoice(const std::vector<std::string>& items, const std::string& text) {
  if (items.empty()) return -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (beginsWithIgnoringCase(items[i], text)) {
      return static_cast<int>(i) > kLastSavedIndex ? 0 : static_cast<int>(i);
    }
  }
  return 0;
}

std::string formatStepPosition(int position) {
  char text[32];
  const auto result =
      std::to_chars(text, text + sizeof text, position / 100.0, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

void OutputDialogModel::fillLists(const std::vector<PortEntry>& portList) {
  // USB ports first, then the serial ports, each in the system's order.
  portEntries = portList;
  std::stable_partition(portEntries.begin(), portEntries.end(),
                        [](const PortEntry& port) { return isUsb(port.kind); });
  ports.items.clear();
  for (const PortEntry& port : portEntries) {
    if (!port.name.empty()) ports.items.push_back(port.name);
  }
  // Keep the entries in step with the names shown.
  std::erase_if(portEntries, [](const PortEntry& port) { return port.name.empty(); });
  ports.select(0);
  bauds = fixedList(kBaudRates.data(), kBaudRates.data() + kBaudRates.size());
  machines = fixedList(kMachines.data(), kMachines.data() + kMachines.size());
}

void OutputDialogModel::loadSettings(const settings::OutputSettings& saved,
                                     const std::vector<PortEntry>& portList) {
  fillLists(portList);
  ports.select(findSavedChoice(ports.items, saved.portName));
  bauds.select(findSavedChoice(bauds.items, saved.portBaud));
  machines.select(findSavedChoice(machines.items, saved.machine));
  angleText = saved.angleText;
  closedText = saved.closedText;
  anglePosition = stepPositionOf(angleText);
  closedPosition = stepPositionOf(closedText);
  angleEnabled = integerValue(saved.angleEnabled) != 0;
  closedEnabled = integerValue(saved.closedEnabled) != 0;
  orderEnabled = integerValue(saved.orderEnabled) != 0;
}

settings::OutputSettings OutputDialogModel::settingsToSave() const {
  return {ports.selectedText(),
          bauds.selectedText(),
          machines.selectedText(),
          angleText,
          closedText,
          angleEnabled ? "1" : "0",
          closedEnabled ? "1" : "0",
          orderEnabled ? "1" : "0"};
}

bool OutputDialogModel::baudVisible() const {
  const int index = ports.selected;
  return index >= 0 && portEntries[static_cast<std::size_t>(index)].kind == PortKind::Serial;
}

void OutputDialogModel::stepAngle(int position) {
  anglePosition = std::clamp(position, 0, kStepPositionMax);
  angleText = formatStepPosition(anglePosition);
}

void OutputDialogModel::stepClosed(int position) {
  closedPosition = std::clamp(position, 0, kStepPositionMax);
  closedText = formatStepPosition(closedPosition);
}

OutputChoices OutputDialogModel::choices() const {
  OutputChoices c;
  if (ports.selected >= 0) c.port = portEntries[static_cast<std::size_t>(ports.selected)];
  c.baudText = bauds.selectedText();
  c.machine = machines.selectedText();
  c.angleEnabled = angleEnabled;
  c.closedEnabled = closedEnabled;
  c.angleText = angleText;
  c.closedText = closedText;
  c.orderEnabled = orderEnabled;
  return c;
}

namespace {

double previewScale(std::int32_t maxX, std::int32_t maxY, int width, int height) {
  // A job with no extent along an axis (a single vertical or horizontal
  // line) is scaled by the other axis alone; one with none at all by 1.
  double scale = 1.0;
  if (maxX > 0 && maxY > 0) {
    scale = std::min(double(width) / maxX, double(height) / maxY);
  } else if (maxX > 0) {
    scale = double(width) / maxX;
  } else if (maxY > 0) {
    scale = double(height) / maxY;
  }
  return scale;
}

}  // namespace

std::vector<PreviewLine> previewLines(const std::vector<PathPoint>& points, std::int32_t maxX,
                                      std::int32_t maxY, int width, int height) {
  std::vector<PreviewLine> lines;
  if (points.empty()) return lines;
  const double scale = previewScale(maxX, maxY, width, height);
  auto x = [&](const PathPoint& p) { return clampToInt(width - std::trunc(p.x * scale)); };
  auto y = [&](const PathPoint& p) { return clampToInt(height - std::trunc(p.y * scale)); };
  for (std::size_t k = 1; k < points.size(); ++k) {
    const PathPoint& from = points[k - 1];
    const PathPoint& to = points[k];
    if (from.penUp || to.penUp) continue;
    lines.push_back({x(to), y(to), x(from), y(from)});
  }
  return lines;
}

std::vector<PreviewLine> knifePreviewLines(const std::vector<KnifeRun>& cut, std::int32_t maxX,
                                           std::int32_t maxY, int width, int height) {
  std::vector<PreviewLine> lines;
  const double scale = previewScale(maxX, maxY, width, height);
  auto x = [&](const KnifePoint& p) { return clampToInt(width - std::trunc(p.y * scale)); };
  auto y = [&](const KnifePoint& p) { return clampToInt(height - std::trunc(p.x * scale)); };
  for (const KnifeRun& run : cut) {
    // Tip samples within one pixel make one line; a run that stays in one
    // pixel (a dot) is one pixel long, as GDI leaves out lines of no length.
    int atX = x(run[0]);
    int atY = y(run[0]);
    const std::size_t first = lines.size();
    for (std::size_t k = 1; k < run.size(); ++k) {
      const int toX = x(run[k]);
      const int toY = y(run[k]);
      if (toX == atX && toY == atY) continue;
      lines.push_back({atX, atY, toX, toY});
      atX = toX;
      atY = toY;
    }
    if (lines.size() == first) lines.push_back({atX, atY, atX + 1, atY});
  }
  return lines;
}

}  // namespace corvane

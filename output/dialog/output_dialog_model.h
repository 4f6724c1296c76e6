#pragma once

// What the output dialog shows and what the operator chose, without any
// window: the Win32 dialog procedure only moves these values in and out of
// its controls, and the command line uses the same rules.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/settings/output_settings.h"
#include "output/engine/path_point.h"
#include "output/knife/knife_path.h"
#include "output/pipeline/output_job.h"
#include "output/transport/port.h"

namespace corvane {

inline constexpr std::array<const char*, 5> kBaudRates{"9600", "38400", "56000", "57600", "152000"};
inline constexpr std::array<const char*, 6> kMachines{"RQ-2400",  "PLN-600",   "TVM-1200",
                                                      "TVM-2400", "TVM-1200S", "TVM-2400S"};

// The up-down controls step the millimetre edits in hundredths.
inline constexpr int kStepPositionMax = 1000;

// One drop-down list: its entries and the selected one (-1: none).
struct ChoiceList {
  std::vector<std::string> items;
  int selected = -1;

  std::string selectedText() const;
  void select(int index);  // out of range: none
};

// The first entry that begins with `text`, without regard to case; 0 when
// none does or the match lies beyond the 256 entries a saved choice may
// point at. -1 for an empty list.
int findSavedChoice(const std::vector<std::string>& items, const std::string& text);

// "%.2f" of position / 100, locale-independent.
std::string formatStepPosition(int position);

class OutputDialogModel {
 public:
  // The ports are shown USB ports first, then serial ports, each group in
  // the order the system lists it. Every list gets its first entry selected.
  void fillLists(const std::vector<PortEntry>& portList);
  // fillLists, then the saved choices and values.
  void loadSettings(const settings::OutputSettings& saved, const std::vector<PortEntry>& portList);
  // The values to write to Config.ini at an Output press.
  settings::OutputSettings settingsToSave() const;

  void selectPort(int index) { ports.select(index); }
  // The baud list (and the control shown with it) is for serial ports only.
  bool baudVisible() const;

  // A check box: its edit is read-only while the option is off.
  void setAngleEnabled(bool on) { angleEnabled = on; }
  void setClosedEnabled(bool on) { closedEnabled = on; }
  // An up-down step to a new position: the edit shows position / 100 mm.
  void stepAngle(int position);
  void stepClosed(int position);

  // The choices for the job pipeline.
  OutputChoices choices() const;

  std::vector<PortEntry> portEntries;
  ChoiceList ports;
  ChoiceList bauds;
  ChoiceList machines;
  std::string angleText;
  std::string closedText;
  bool angleEnabled = false;
  bool closedEnabled = false;
  bool orderEnabled = false;  // inside first, least travel
  int anglePosition = 0;
  int closedPosition = 0;
};

// The preview's lines in a W x H area: every pair of consecutive pen-down
// points, scaled by the smaller of W / maxX and H / maxY and mirrored into
// the area's corner (W - x, H - y).
struct PreviewLine {
  int x0, y0, x1, y1;
};
std::vector<PreviewLine> previewLines(const std::vector<PathPoint>& points, std::int32_t maxX,
                                      std::int32_t maxY, int width, int height);

// The knife's simulated cut in the same picture. The cut is in the stream's
// axes, which are the job's exchanged, so its (x, y) is drawn as the job's
// point (y, x).
std::vector<PreviewLine> knifePreviewLines(const std::vector<KnifeRun>& cut, std::int32_t maxX,
                                           std::int32_t maxY, int width, int height);

}  // namespace corvane

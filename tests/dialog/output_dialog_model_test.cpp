#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings/output_settings.h"
#include "output/dialog/output_dialog_model.h"
#include "support/path_printing.h"
#include "support/temp_dir.h"

namespace corvane {
namespace {

const std::vector<PortEntry> kPorts{{"USB001", PortKind::UsbQueue, ""},
                                    {"COM1", PortKind::Serial, ""},
                                    {"COM3", PortKind::Serial, ""}};

settings::OutputSettings savedIn(const std::string& configText) {
  testing::TempDir dir;
  if (!configText.empty()) testing::writeFile(dir.file("Config.ini"), configText);
  return settings::loadOutputSettings(dir.file("Config.ini"));
}

TEST(OutputDialogModel, AFreshConfigGivesTheDefaults) {
  OutputDialogModel model;
  model.loadSettings(savedIn(""), kPorts);
  EXPECT_EQ(model.ports.selectedText(), "COM1");
  EXPECT_EQ(model.bauds.selectedText(), "38400");
  EXPECT_EQ(model.machines.selectedText(), "RQ-2400");
  EXPECT_FALSE(model.angleEnabled);
  EXPECT_FALSE(model.closedEnabled);
  EXPECT_EQ(model.angleText, "1.00");
  EXPECT_EQ(model.closedText, "1.00");
  EXPECT_EQ(model.anglePosition, 100);
  EXPECT_EQ(model.closedPosition, 100);
  EXPECT_TRUE(model.baudVisible());
}

TEST(OutputDialogModel, SavedChoicesAreFoundByPrefixWithoutRegardToCase) {
  struct Case {
    const char* config;
    const char* port;
    const char* baud;
    const char* machine;
  };
  const Case cases[] = {
      {"[OUTPUT]\r\nPORTNAME=com3\r\n", "COM3", "38400", "RQ-2400"},
      {"[OUTPUT]\r\nPORTNAME=usb\r\nPORTBAUD=57\r\nMACHINE=tvm-1200s\r\n", "USB001", "57600",
       "TVM-1200S"},
      {"[OUTPUT]\r\nPORTNAME=COM9\r\nPORTBAUD=115200\r\nMACHINE=XX\r\n", "USB001", "9600",
       "RQ-2400"},  // nothing begins with these: the first entries
      {"[OUTPUT]\r\nMACHINE=TVM\r\n", "COM1", "38400", "TVM-1200"},  // the first that begins so
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    OutputDialogModel model;
    model.loadSettings(savedIn(c.config), kPorts);
    EXPECT_EQ(model.ports.selectedText(), c.port);
    EXPECT_EQ(model.bauds.selectedText(), c.baud);
    EXPECT_EQ(model.machines.selectedText(), c.machine);
  }
}

TEST(OutputDialogModel, ASavedChoiceBeyondTheFirst256EntriesFallsBackToTheFirst) {
  std::vector<std::string> items;
  for (int i = 0; i < 300; ++i) items.push_back("COM" + std::to_string(i + 1));
  EXPECT_EQ(findSavedChoice(items, "COM256"), 255);
  EXPECT_EQ(findSavedChoice(items, "COM257"), 0);
  EXPECT_EQ(findSavedChoice({}, "COM1"), -1);
}

TEST(OutputDialogModel, DistancesLoadAsStepPositionsAndStepInHundredths) {
  OutputDialogModel model;
  model.loadSettings(savedIn("[OFFSET]\r\nANGLE=2.5\r\nCLOSED=abc\r\n[ENABLE]\r\nANGLE=1\r\n"
                             "CLOSED=0\r\n"),
                     kPorts);
  EXPECT_EQ(model.anglePosition, 250);
  EXPECT_EQ(model.angleText, "2.5");  // the saved text stays as it was until a step
  EXPECT_EQ(model.closedPosition, 0);
  EXPECT_TRUE(model.angleEnabled);
  EXPECT_FALSE(model.closedEnabled);
  model.stepAngle(251);
  EXPECT_EQ(model.angleText, "2.51");
  model.stepClosed(0);
  EXPECT_EQ(model.closedText, "0.00");
  model.stepClosed(1000);
  EXPECT_EQ(model.closedText, "10.00");
}

TEST(OutputDialogModel, CutOrderOptionGoesFromConfigToTheJobAndBack) {
  OutputDialogModel model;
  model.loadSettings(savedIn("[ENABLE]\r\nORDER=1\r\n"), kPorts);
  EXPECT_TRUE(model.choices().orderEnabled);
  model.orderEnabled = false;
  EXPECT_EQ(model.settingsToSave().orderEnabled, "0");
}

TEST(OutputDialogModel, OutOfRangeDistancesStayWithinTheUpDownRange) {
  OutputDialogModel model;
  model.loadSettings(savedIn("[OFFSET]\r\nANGLE=-3\r\nCLOSED=25\r\n"), kPorts);
  EXPECT_EQ(model.anglePosition, 0);
  EXPECT_EQ(model.closedPosition, 1000);
}

TEST(OutputDialogModel, TheBaudListIsForSerialPortsOnly) {
  OutputDialogModel model;
  model.fillLists({kPorts[1], kPorts[0], kPorts[2]});
  EXPECT_EQ(model.ports.items, (std::vector<std::string>{"USB001", "COM1", "COM3"}));
  EXPECT_FALSE(model.baudVisible());  // USB001 first
  model.selectPort(2);
  EXPECT_TRUE(model.baudVisible());
  model.fillLists({});
  EXPECT_FALSE(model.baudVisible());
  EXPECT_FALSE(model.choices().port.has_value());
}

TEST(OutputDialogModel, RefillingTheListsSelectsTheFirstEntriesAgain) {
  OutputDialogModel model;
  model.loadSettings(savedIn("[OUTPUT]\r\nPORTNAME=COM3\r\nPORTBAUD=152000\r\nMACHINE=PLN\r\n"),
                     kPorts);
  model.fillLists(kPorts);
  EXPECT_EQ(model.ports.selectedText(), "USB001");
  EXPECT_EQ(model.bauds.selectedText(), "9600");
  EXPECT_EQ(model.machines.selectedText(), "RQ-2400");
}

TEST(OutputDialogModel, SavesAndHandsOnWhatTheOperatorChose) {
  OutputDialogModel model;
  model.loadSettings(savedIn(""), kPorts);
  model.selectPort(2);
  model.bauds.select(4);
  model.machines.select(3);
  model.setClosedEnabled(true);
  model.stepClosed(150);
  const settings::OutputSettings saved = model.settingsToSave();
  EXPECT_EQ(saved.portName, "COM3");
  EXPECT_EQ(saved.portBaud, "152000");
  EXPECT_EQ(saved.machine, "TVM-2400");
  EXPECT_EQ(saved.angleText, "1.00");
  EXPECT_EQ(saved.closedText, "1.50");
  EXPECT_EQ(saved.angleEnabled, "0");
  EXPECT_EQ(saved.closedEnabled, "1");

  const OutputChoices choices = model.choices();
  ASSERT_TRUE(choices.port.has_value());
  EXPECT_EQ(choices.port->name, "COM3");
  EXPECT_EQ(choices.port->kind, PortKind::Serial);
  EXPECT_EQ(choices.baudText, "152000");
  EXPECT_TRUE(choices.closedEnabled);
  EXPECT_EQ(choices.closedText, "1.50");
}

TEST(PreviewLines, ScaleConsecutiveCutsIntoTheCorner) {
  const std::vector<PathPoint> points{up(0, 0),      down(0, 0), down(100, 0),
                                      down(100, 50), up(0, 0),   down(10, 10)};
  // 200 x 50 area, job 100 x 50: scale min(2, 1) = 1.
  const auto lines = previewLines(points, 100, 50, 200, 50);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ((std::vector<int>{lines[0].x0, lines[0].y0, lines[0].x1, lines[0].y1}),
            (std::vector<int>{100, 50, 200, 50}));
  EXPECT_EQ((std::vector<int>{lines[1].x0, lines[1].y0, lines[1].x1, lines[1].y1}),
            (std::vector<int>{100, 0, 100, 50}));
}

TEST(PreviewLines, AJobWithoutExtentAlongAnAxisStillDraws) {
  const std::vector<PathPoint> vertical{down(0, 0), down(0, 400)};
  const auto lines = previewLines(vertical, 0, 400, 100, 200);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].y0, 0);  // 200 - 400 * 0.5
  EXPECT_EQ(lines[0].x0, 100);
  const auto dot = previewLines({down(0, 0), down(0, 0)}, 0, 0, 100, 200);
  ASSERT_EQ(dot.size(), 1u);
  EXPECT_TRUE(previewLines({}, 0, 0, 100, 100).empty());
}

TEST(PreviewLines, KnifeCutIsDrawnInTheJobsAxes) {
  // The cut is in the stream's axes: its (10, 20) is the job's (20, 10),
  // drawn at (100 - 20, 100 - 10). Samples within one pixel join; a dot
  // is one pixel long.
  const std::vector<KnifeRun> cut{{{10, 20}, {10.4, 20.2}, {30, 20}}, {{50, 50}}};
  const auto lines = knifePreviewLines(cut, 100, 100, 100, 100);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ((std::vector<int>{lines[0].x0, lines[0].y0, lines[0].x1, lines[0].y1}),
            (std::vector<int>{80, 90, 80, 70}));
  EXPECT_EQ((std::vector<int>{lines[1].x0, lines[1].y0, lines[1].x1, lines[1].y1}),
            (std::vector<int>{50, 50, 51, 50}));
}

}  // namespace
}  // namespace corvane

// The output program's reads and writes of Config.ini, on both backends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings/output_settings.h"
#include "tests/settings/settings_files.h"
#include "tests/support/temp_dir.h"

namespace corvane::settings {
namespace {

using corvane::testing::TempDir;
using testing::readBytes;
using testing::visible;
using testing::writeBytes;

class OutputSettingsTest : public ::testing::Test {
 protected:
  TempDir folder_;
  std::filesystem::path ini_ = folder_.file("Config.ini");
};

TEST_F(OutputSettingsTest, FreshFolderGivesDefaultsWithoutCreatingTheFile) {
  const OutputSettings settings = loadOutputSettings(ini_);
  EXPECT_EQ(settings.portName, "COM1");
  EXPECT_EQ(settings.portBaud, "38400");
  EXPECT_EQ(settings.machine, "RQ-2400");
  EXPECT_EQ(settings.angleText, "1.00");
  EXPECT_EQ(settings.closedText, "1.00");
  EXPECT_EQ(settings.angleEnabled, "0");
  EXPECT_EQ(settings.closedEnabled, "0");
  EXPECT_EQ(settings.orderEnabled, "0");
  EXPECT_EQ(readLanguageCode(ini_), "EN");
  EXPECT_FALSE(std::filesystem::exists(ini_));
}

TEST_F(OutputSettingsTest, SavedSettingsLoadBackBesideTheToolWindowKeys) {
  writeBytes(ini_, "[SYS]\r\nLANG=CH\r\n[TRACE]\r\nOFFSET=2.5\r\n");
  const OutputSettings saved{"com3", "9600", "TVM-1200", "2.50", "0.75", "1", "0"};
  ASSERT_TRUE(saveOutputSettings(ini_, saved));

  const OutputSettings loaded = loadOutputSettings(ini_);
  EXPECT_EQ(loaded.portName, "com3");
  EXPECT_EQ(loaded.portBaud, "9600");
  EXPECT_EQ(loaded.machine, "TVM-1200");
  EXPECT_EQ(loaded.angleText, "2.50");
  EXPECT_EQ(loaded.closedText, "0.75");
  EXPECT_EQ(loaded.angleEnabled, "1");
  EXPECT_EQ(loaded.closedEnabled, "0");
  EXPECT_EQ(visible(readBytes(ini_).value_or("")),
            visible("[SYS]\r\nLANG=CH\r\n[TRACE]\r\nOFFSET=2.5\r\n"
                    "[OUTPUT]\r\nPORTNAME=com3\r\nPORTBAUD=9600\r\nMACHINE=TVM-1200\r\n"
                    "[OFFSET]\r\nANGLE=2.50\r\nCLOSED=0.75\r\n"
                    "[ENABLE]\r\nANGLE=1\r\nCLOSED=0\r\n"));
}

TEST_F(OutputSettingsTest, CutOrderKeyIsWrittenOnceTheOptionHasBeenUsed) {
  auto withOrder = [](const char* order) {
    return OutputSettings{"COM1", "38400", "RQ-2400", "1.00", "1.00", "0", "0", order};
  };
  ASSERT_TRUE(saveOutputSettings(ini_, withOrder("0")));
  EXPECT_EQ(readBytes(ini_).value_or("").find("ORDER"), std::string::npos);
  ASSERT_TRUE(saveOutputSettings(ini_, withOrder("1")));
  EXPECT_EQ(loadOutputSettings(ini_).orderEnabled, "1");
  ASSERT_TRUE(saveOutputSettings(ini_, withOrder("0")));
  EXPECT_EQ(visible(readBytes(ini_).value_or("")),
            visible("[OUTPUT]\r\nPORTNAME=COM1\r\nPORTBAUD=38400\r\nMACHINE=RQ-2400\r\n"
                    "[OFFSET]\r\nANGLE=1.00\r\nCLOSED=1.00\r\n"
                    "[ENABLE]\r\nANGLE=0\r\nCLOSED=0\r\nORDER=0\r\n"));
}

TEST_F(OutputSettingsTest, ValuesAreReadWithRoomForNinetyNineCharacters) {
  writeBytes(ini_, "[OUTPUT]\r\nMACHINE=" + std::string(120, 'M') +
                       "\r\n[SYS]\r\nLANG=" + std::string(99, 'E') + "N\r\n");
  EXPECT_EQ(loadOutputSettings(ini_).machine, std::string(99, 'M'));
  EXPECT_EQ(readLanguageCode(ini_), std::string(99, 'E'));
}

TEST_F(OutputSettingsTest, UnwritableFileReportsFailure) {
  EXPECT_FALSE(
      saveOutputSettings(folder_.path() / "missing" / "Config.ini",
                         OutputSettings{"COM1", "38400", "RQ-2400", "1.00", "1.00", "0", "0"}));
}

struct LanguageCase {
  const char* file;
  const char* code;
  bool english;
};

TEST_F(OutputSettingsTest, OnlyTheExactCodeENChoosesTheEnglishLibrary) {
  const std::vector<LanguageCase> cases = {
      {nullptr, "EN", true},
      {"[SYS]\r\nLANG=EN\r\n", "EN", true},
      {"[sys]\r\nlang = EN \r\n", "EN", true},
      {"[SYS]\r\nLANG=CH\r\n", "CH", false},
      {"[SYS]\r\nLANG=en\r\n", "en", false},
      {"[SYS]\r\nLANG=ENG\r\n", "ENG", false},
      // An empty value is not a missing one: the default does not apply.
      {"[SYS]\r\nLANG=\r\n", "", false},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(no file)");
    std::filesystem::remove(ini_);
    if (c.file) writeBytes(ini_, c.file);
    const std::string code = readLanguageCode(ini_);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(choosesEnglishLibrary(code), c.english);
  }
}

TEST_F(OutputSettingsTest, BladeOffsetIsWrittenOnlyOnceThereIsOne) {
  const std::string before = "[SYS]\r\nLANG=EN\r\n";
  writeBytes(ini_, before);
  EXPECT_EQ(loadBladeOffset(ini_), "");
  ASSERT_TRUE(saveBladeOffset(ini_, ""));
  EXPECT_EQ(visible(readBytes(ini_).value_or("")), visible(before));
  ASSERT_TRUE(saveBladeOffset(ini_, "0.25"));
  EXPECT_EQ(loadBladeOffset(ini_), "0.25");
  ASSERT_TRUE(saveBladeOffset(ini_, ""));
  EXPECT_EQ(visible(readBytes(ini_).value_or("")), visible(before + "[KNIFE]\r\nBLADE=\r\n"));
}

}  // namespace
}  // namespace corvane::settings

// The tool window's settings routines on a real Config.ini in a scratch
// folder: natively through the portable backend, under Wine through the
// system's profile functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings/config_keys.h"
#include "common/settings/module_ini.h"
#include "tests/settings/settings_files.h"
#include "tests/support/temp_dir.h"

namespace corvane::settings {
namespace {

using corvane::testing::TempDir;
using testing::readBytes;
using testing::visible;
using testing::writeBytes;

class ModuleIniTest : public ::testing::Test {
 protected:
  void SetUp() override { ini_.IniFilePath = configFileIn(folder_.path()); }

  std::string fileText() const { return visible(readBytes(ini_.IniFilePath).value_or("(none)")); }

  TempDir folder_;
  ModuleIni ini_;
};

TEST_F(ModuleIniTest, SettingsFileLiesBesideTheProgram) {
  EXPECT_EQ(configFileIn(folder_.path()).filename(), "Config.ini");
  EXPECT_EQ(configFileIn(folder_.path()).parent_path(), folder_.path());
}

// What the tool window does at start-up: the language routine stores "EN",
// then the trace settings window reads its offset.
TEST_F(ModuleIniTest, FirstStartCreatesFileWithLanguageAndOffset) {
  ini_.SetIniString(kLanguage.section, kLanguage.key, kLanguageEnglish);
  EXPECT_EQ(ini_.GetIniString(kTraceOffset.section, kTraceOffset.key, kTraceOffset.defaultText),
            "1.0");
  EXPECT_EQ(fileText(), visible("[SYS]\r\nLANG=EN\r\n[TRACE]\r\nOFFSET=1.0\r\n"));
}

struct StringCase {
  const char* behaviour;
  std::string before;
  std::string returned;
  std::string after;
};

TEST_F(ModuleIniTest, GetIniStringWritesTheDefaultOnlyForMissingOrEmptyValues) {
  const std::string cut(143, '7');
  const std::vector<StringCase> cases = {
      {"stored value returned as stored", "[TRACE]\r\nOFFSET=12.5\r\n", "12.5",
       "[TRACE]\r\nOFFSET=12.5\r\n"},
      {"empty value replaced", "[TRACE]\r\nOFFSET=\r\n", "1.0", "[TRACE]\r\nOFFSET=1.0\r\n"},
      {"blank value replaced", "[TRACE]\r\nOFFSET=   \r\n", "1.0", "[TRACE]\r\nOFFSET=1.0\r\n"},
      {"missing key added", "[TRACE]\r\nOTHER=x\r\n", "1.0",
       "[TRACE]\r\nOTHER=x\r\nOFFSET=1.0\r\n"},
      {"missing section added", "[SYS]\r\nLANG=EN\r\n", "1.0",
       "[SYS]\r\nLANG=EN\r\n[TRACE]\r\nOFFSET=1.0\r\n"},
      {"value of 143 characters whole", "[TRACE]\r\nOFFSET=" + cut + "\r\n", cut,
       "[TRACE]\r\nOFFSET=" + cut + "\r\n"},
      {"value of 144 characters cut to 143, file unchanged", "[TRACE]\r\nOFFSET=" + cut + "8\r\n",
       cut, "[TRACE]\r\nOFFSET=" + cut + "8\r\n"},
      {"value of 300 characters cut to 143", "[TRACE]\r\nOFFSET=" + std::string(300, '7') + "\r\n",
       cut, "[TRACE]\r\nOFFSET=" + std::string(300, '7') + "\r\n"},
  };
  for (const StringCase& c : cases) {
    SCOPED_TRACE(c.behaviour);
    writeBytes(ini_.IniFilePath, c.before);
    EXPECT_EQ(ini_.GetIniString("TRACE", "OFFSET", "1.0"), c.returned);
    EXPECT_EQ(fileText(), visible(c.after));
  }
}

TEST_F(ModuleIniTest, GetIniIntReadsNumbersAndNeverWrites) {
  EXPECT_EQ(ini_.GetIniInt(kMultiMark.section, kMultiMark.key, kMultiMark.defaultValue), 0);
  EXPECT_FALSE(std::filesystem::exists(ini_.IniFilePath)) << "a read must not create the file";

  writeBytes(ini_.IniFilePath, "[SYS]\r\nLANG=EN\r\n");
  EXPECT_EQ(ini_.GetIniInt(kMultiMark.section, kMultiMark.key, kMultiMark.defaultValue), 0);
  EXPECT_EQ(ini_.GetIniInt(kMarkCount.section, kMarkCount.key, kMarkCount.defaultValue), 0);
  EXPECT_EQ(fileText(), visible("[SYS]\r\nLANG=EN\r\n"));

  writeBytes(ini_.IniFilePath, "[MARK]\r\nMULTIMARK=1\r\nNUM=4 marks\r\n");
  EXPECT_EQ(ini_.GetIniInt(kMultiMark.section, kMultiMark.key, kMultiMark.defaultValue), 1);
  EXPECT_EQ(ini_.GetIniInt(kMarkCount.section, kMarkCount.key, kMarkCount.defaultValue), 4);
}

TEST_F(ModuleIniTest, SetIniStringReplacesAndAdds) {
  writeBytes(ini_.IniFilePath, "[SYS]\r\nLANG=EN\r\n[TRACE]\r\nOFFSET=1.0\r\n");
  ini_.SetIniString("SYS", "LANG", "CH");
  ini_.SetIniString("TRACE", "OFFSET", "12.5");
  ini_.SetIniString("MARK", "NUM", "2");
  EXPECT_EQ(fileText(),
            visible("[SYS]\r\nLANG=CH\r\n[TRACE]\r\nOFFSET=12.5\r\n[MARK]\r\nNUM=2\r\n"));
}

TEST_F(ModuleIniTest, UnwritableFileIsSilentlyLeftAlone) {
  ini_.IniFilePath = folder_.path() / "missing" / "Config.ini";
  ini_.SetIniString("SYS", "LANG", "EN");
  EXPECT_EQ(ini_.GetIniString("TRACE", "OFFSET", "1.0"), "1.0");
  EXPECT_FALSE(std::filesystem::exists(ini_.IniFilePath.parent_path()));
}

}  // namespace
}  // namespace corvane::settings

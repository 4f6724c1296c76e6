// What both programs may rely on when they touch Config.ini. The same cases
// run natively against the portable backend and, built for Windows, under
// Wine against the system's profile functions; every expectation here was
// first seen from the system's side.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/settings/profile.h"
#include "tests/settings/settings_files.h"
#include "tests/support/temp_dir.h"

namespace corvane::settings {
namespace {

using corvane::testing::TempDir;
using testing::readBytes;
using testing::visible;
using testing::writeBytes;

constexpr std::size_t kToolWindowBuffer = 144;

class ProfileContractTest : public ::testing::Test {
 protected:
  TempDir folder_;
  std::filesystem::path ini_ = folder_.file("Config.ini");
};

struct ReadCase {
  const char* behaviour;
  std::string file;
  const char* section;
  const char* key;
  const char* defaultText;
  std::string expected;
};

TEST_F(ProfileContractTest, ReadsValuesAsTheSystemDoes) {
  const std::vector<ReadCase> cases = {
      {"blanks round key and value are trimmed", "[S]\r\n  key  =  value  \r\n", "S", "key", "d",
       "value"},
      {"tabs count as blanks", "[S]\r\n\tkey\t=\tv\t\r\n", "S", "key", "d", "v"},
      {"section and key match without case", "[Sys]\r\nLang=EN\r\n", "SYS", "LANG", "d", "EN"},
      {"blanks inside the brackets are trimmed", "[ S ]\r\na=1\r\n", "S", "a", "d", "1"},
      {"text after the closing bracket is ignored", "[T] ; note\r\nb=2\r\n", "T", "b", "d", "2"},
      {"indented header", "  [S]  \r\na=1\r\n", "S", "a", "d", "1"},
      {"double quotes are taken off", "[S]\r\na=\"quoted\"\r\n", "S", "a", "d", "quoted"},
      {"single quotes are taken off", "[S]\r\na='single'\r\n", "S", "a", "d", "single"},
      {"blanks inside quotes stay", "[S]\r\na=\" spaced \"\r\n", "S", "a", "d", " spaced "},
      {"only the outer pair of quotes goes", "[S]\r\na=\"a\"b\"\r\n", "S", "a", "d", "a\"b"},
      {"an unmatched quote stays", "[S]\r\na=\"open\r\n", "S", "a", "d", "\"open"},
      {"no comments after a value", "[S]\r\nk = v ; c\r\n", "S", "k", "d", "v ; c"},
      {"value may hold an equals sign", "[S]\r\ne=a=b\r\n", "S", "e", "d", "a=b"},
      {"a comment line is an entry like any other", "[S]\r\n;k=v\r\nk=real\r\n", "S", ";k", "d",
       "v"},
      {"a comment line hides nothing", "[S]\r\n;k=v\r\nk=real\r\n", "S", "k", "d", "real"},
      {"first section of a name wins", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "b", "d", "d"},
      {"first entry of a key wins", "[S]\r\na=1\r\na=2\r\n", "S", "a", "d", "1"},
      {"key without equals sign reads as missing", "[S]\r\nbare\r\n", "S", "bare", "d", "d"},
      {"empty value reads empty, not as the default", "[S]\r\nk=\r\n", "S", "k", "d", ""},
      {"blank value reads empty", "[S]\r\nk=   \r\n", "S", "k", "d", ""},
      {"missing key", "[S]\r\na=1\r\n", "S", "b", "d", "d"},
      {"missing section", "[S]\r\na=1\r\n", "T", "a", "d", "d"},
      {"trailing blanks of the default go", "", "S", "k", "abc  ", "abc"},
      {"leading blanks of the default stay", "", "S", "k", "  abc", "  abc"},
      {"line feeds alone end lines", "[S]\nk=v\n", "S", "k", "d", "v"},
      {"last line without line end", "[S]\r\na=1", "S", "a", "d", "1"},
      {"entries before the first section have an empty section name", "x=1\r\n[S]\r\n", "", "x",
       "d", "1"},
      {"ANSI bytes come back untouched", "[S]\r\nk=\xC4\xE3\xBA\xC3\r\n", "S", "k", "d",
       "\xC4\xE3\xBA\xC3"},
      {"a UTF-8 byte-order mark is not part of the first line", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S",
       "k", "d", "v"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.behaviour);
    writeBytes(ini_, c.file);
    EXPECT_EQ(readProfileString(ini_, c.section, c.key, c.defaultText, kToolWindowBuffer),
              c.expected);
  }
}

TEST_F(ProfileContractTest, MissingFileReadsAsDefaultsAndIsNotCreated) {
  EXPECT_EQ(readProfileString(ini_, "OUTPUT", "PORTNAME", "COM1", 100), "COM1");
  EXPECT_EQ(readProfileInt(ini_, "MARK", "NUM", 0), 0);
  EXPECT_FALSE(std::filesystem::exists(ini_));
}

TEST_F(ProfileContractTest, LongValuesAreCutToOneLessThanTheBuffer) {
  const std::string longValue(300, 'x');
  writeBytes(ini_, "[S]\r\nk=" + longValue + "\r\nd=" + std::string(143, 'y') + "\r\n");
  for (const std::size_t buffer : {std::size_t{144}, std::size_t{100}, std::size_t{2}}) {
    SCOPED_TRACE(buffer);
    EXPECT_EQ(readProfileString(ini_, "S", "k", "", buffer), longValue.substr(0, buffer - 1));
  }
  EXPECT_EQ(readProfileString(ini_, "S", "d", "", 144), std::string(143, 'y'));
  EXPECT_EQ(readProfileString(ini_, "S", "missing", std::string(200, 'z'), 100),
            std::string(99, 'z'));
}

struct NumberCase {
  const char* value;  // nullptr: no such key
  std::int32_t expected;
};

TEST_F(ProfileContractTest, ReadsNumbersAsTheSystemDoes) {
  const std::vector<NumberCase> cases = {
      {"12", 12},     {" 12abc", 12},     {"-5", -5},
      {"+7", 7},      {"010", 10},        {"0x10", 16},
      {"-0x10", -16}, {"0X1f", 0},        {"0o17", 15},
      {"0b11", 3},    {"1e3", 1},         {"12 34", 12},
      {"- 5", 0},     {"+", 0},           {"abc", 0},
      {"\"7\"", 7},   {"4294967295", -1}, {"99999999999", 1215752191},
      {"", 42},       {"   ", 42},        {nullptr, 42},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(no key)");
    writeBytes(ini_, c.value ? std::string("[S]\r\nn=") + c.value + "\r\n" : "[S]\r\n");
    EXPECT_EQ(readProfileInt(ini_, "S", "n", 42), c.expected);
  }
}

struct WriteCase {
  const char* behaviour;
  std::optional<std::string> before;  // nothing: no file yet
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};

TEST_F(ProfileContractTest, WritesFilesAsTheSystemDoes) {
  const std::vector<WriteCase> cases = {
      {"first write creates the file", std::nullopt, "SYS", "LANG", "EN", "[SYS]\r\nLANG=EN\r\n"},
      {"an empty file gets the section", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"new section goes at the end, no blank line", "[SYS]\r\nLANG=EN\r\n", "TRACE", "OFFSET",
       "1.0", "[SYS]\r\nLANG=EN\r\n[TRACE]\r\nOFFSET=1.0\r\n"},
      {"new key goes after the last key of its section", "[A]\r\na=1\r\n[B]\r\nb=1\r\n", "A", "n",
       "2", "[A]\r\na=1\r\nn=2\r\n[B]\r\nb=1\r\n"},
      {"value replaced, key keeps its spelling", "[S]\r\nKey=old\r\n", "s", "KEY", "new",
       "[S]\r\nKey=new\r\n"},
      {"section found without case", "[sys]\r\n", "SYS", "LANG", "EN", "[sys]\r\nLANG=EN\r\n"},
      {"last line gets its line end", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
      {"leading blanks of a value go, trailing ones stay", std::nullopt, "S", "k", "  padded  ",
       "[S]\r\nk=padded  \r\n"},
      {"empty value", std::nullopt, "S", "k", "", "[S]\r\nk=\r\n"},
      {"ANSI bytes are stored untouched", "[T]\r\nz=\x81\x40\r\n", "S", "k", "\xB0\xE9\xD6\xD0",
       "[T]\r\nz=\x81\x40\r\n[S]\r\nk=\xB0\xE9\xD6\xD0\r\n"},
      {"comments stay", "; top\r\n[A]\r\n;c\r\na=1\r\n", "A", "b", "2",
       "; top\r\n[A]\r\n;c\r\na=1\r\nb=2\r\n"},
      {"entries before the first section stay", "x=1\r\n[S]\r\na=1\r\n", "S", "b", "2",
       "x=1\r\n[S]\r\na=1\r\nb=2\r\n"},
      {"writing the value a key holds leaves the file alone", "[S]\r\n k = v \r\n\r\n", "S", "k",
       "v", "[S]\r\n k = v \r\n\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.behaviour);
    std::filesystem::remove(ini_);
    if (c.before) writeBytes(ini_, *c.before);
    EXPECT_TRUE(writeProfileString(ini_, c.section, c.key, c.value));
    EXPECT_EQ(visible(readBytes(ini_).value_or("(no file)")), visible(c.after));
  }
}

// The system rewrites the whole file and may tidy lines it does not change
// (blank lines, blanks round '='); what it keeps is every value.
TEST_F(ProfileContractTest, WriteKeepsEveryOtherValueReadable) {
  writeBytes(ini_,
             "; written by hand\n\n[SYS]\n  LANG = CH  \n\n[TRACE]\r\nOFFSET=\"2.5\"\r\n"
             "\r\n[OUTPUT]\r\nPORTNAME=COM3");
  ASSERT_TRUE(writeProfileString(ini_, "OUTPUT", "MACHINE", "PLN-600"));
  ASSERT_TRUE(writeProfileString(ini_, "ENABLE", "ANGLE", "1"));
  EXPECT_EQ(readProfileString(ini_, "SYS", "LANG", "", 100), "CH");
  EXPECT_EQ(readProfileString(ini_, "TRACE", "OFFSET", "", 100), "2.5");
  EXPECT_EQ(readProfileString(ini_, "OUTPUT", "PORTNAME", "", 100), "COM3");
  EXPECT_EQ(readProfileString(ini_, "OUTPUT", "MACHINE", "", 100), "PLN-600");
  EXPECT_EQ(readProfileString(ini_, "ENABLE", "ANGLE", "", 100), "1");
  EXPECT_EQ(readProfileString(ini_, "; written by hand", "x", "gone?", 100), "gone?");
  const std::string after = readBytes(ini_).value_or("");
  EXPECT_NE(after.find("; written by hand"), std::string::npos) << visible(after);
}

TEST_F(ProfileContractTest, WriteIntoMissingFolderFailsAndCreatesNothing) {
  const std::filesystem::path nowhere = folder_.path() / "missing" / "Config.ini";
  EXPECT_FALSE(writeProfileString(nowhere, "SYS", "LANG", "EN"));
  EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

}  // namespace
}  // namespace corvane::settings

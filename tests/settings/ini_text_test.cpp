// The portable INI engine keeps every line it does not change byte for
// byte, where the system (as seen under Wine) rewrites the whole file tidied.
// Operators edit Config.ini by hand; their layout and comments survive here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings/ini_text.h"
#include "tests/settings/settings_files.h"

namespace corvane::settings {
namespace {

using testing::visible;

TEST(IniTextTest, ExamplesOfReadingAndEditing) {
  IniText text("; shop settings\r\n[SYS]\r\nLANG=CH\r\n\r\n[TRACE]\r\nOFFSET = 2.5\r\n");
  EXPECT_EQ(text.value("sys", "lang"), "CH");
  EXPECT_EQ(text.value("TRACE", "OFFSET"), "2.5");
  EXPECT_EQ(text.value("MARK", "NUM"), std::nullopt);

  EXPECT_TRUE(text.set("SYS", "LANG", "EN"));
  EXPECT_TRUE(text.set("SYS", "EXTRA", "1"));
  EXPECT_FALSE(text.set("TRACE", "OFFSET", "2.5"));
  EXPECT_EQ(visible(text.bytes()),
            visible("; shop settings\r\n[SYS]\r\nLANG=EN\r\nEXTRA=1\r\n\r\n[TRACE]\r\n"
                    "OFFSET = 2.5\r\n"));
}

struct EditCase {
  const char* behaviour;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniTextTest, EditLeavesEveryOtherByteAlone) {
  const std::vector<EditCase> cases = {
      {"blank lines parting sections stay after the new key",
       "[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=1\r\n", "A", "n", "2",
       "[A]\r\na=1\r\nn=2\r\n\r\n\r\n[B]\r\nb=1\r\n"},
      {"blanks round other entries stay", "[A]\r\n  a = 1  \r\n[B]\r\nb=1\r\n", "B", "b", "2",
       "[A]\r\n  a = 1  \r\n[B]\r\nb=2\r\n"},
      {"line-feed lines stay, the new line ends in CRLF", "[S]\nk=v\n", "S", "n", "x",
       "[S]\nk=v\nn=x\r\n"},
      {"a replaced entry keeps its own line end", "[S]\nk=v\nz=1\n", "S", "k", "w",
       "[S]\nk=w\nz=1\n"},
      {"a replaced entry loses the blanks round it", "[S]\r\n  Key = old ; c \r\n", "S", "key",
       "new", "[S]\r\nKey=new\r\n"},
      {"text after a section's bracket stays", "[T] ; note\r\nb=2\r\n", "T", "b", "3",
       "[T] ; note\r\nb=3\r\n"},
      {"a line with an open bracket belongs to the section above", "[T]\r\nb=2\r\n[U\r\nc=3\r\n",
       "T", "c", "4", "[T]\r\nb=2\r\n[U\r\nc=4\r\n"},
      {"the second section of a name is never touched", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "b",
       "3", "[S]\r\na=1\r\nb=3\r\n[S]\r\nb=2\r\n"},
      {"a byte-order mark stays in front", "\xEF\xBB\xBFk=v\r\n[S]\r\n", "", "n", "x",
       "\xEF\xBB\xBFk=v\r\nn=x\r\n[S]\r\n"},
      {"an entry before any section goes to the top", "[S]\r\na=1\r\n", "", "x", "1",
       "x=1\r\n[S]\r\na=1\r\n"},
      {"an empty section gets its first key under the header", "[A]\r\n\r\n[B]\r\n", "A", "a", "1",
       "[A]\r\na=1\r\n\r\n[B]\r\n"},
      {"a key without equals sign gets one", "[S]\r\nbare\r\n", "S", "bare", "1",
       "[S]\r\nbare=1\r\n"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.behaviour);
    IniText text(c.before);
    EXPECT_TRUE(text.set(c.section, c.key, c.value));
    EXPECT_EQ(visible(text.bytes()), visible(c.after));
  }
}

}  // namespace
}  // namespace corvane::settings

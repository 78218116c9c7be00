// IniText against the table of forms it shares with the system's reader.
#include <gtest/gtest.h>

#include "ini_text_cases.h"
#include "win32/ini_text.h"

namespace {

TEST(IniText, LooksUpLikeTheSystemsReader) {
  const win::IniText ini(initest::kText);
  for (const initest::StringCase& c : initest::kStrings) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    const std::optional<std::string> found = ini.Find(c.section, c.key);
    ASSERT_EQ(found.has_value(), c.value != nullptr);
    if (c.value) {
      EXPECT_EQ(*found, c.value);
    }
    EXPECT_EQ(ini.ReadString(c.section, c.key, "fallback"), c.value ? c.value : "fallback");
  }
  for (const initest::IntCase& c : initest::kInts)
    EXPECT_EQ(ini.ReadInt("Numbers", c.key, 77), c.value) << c.key;
}

TEST(IniText, LineEndsMarksAndLongValues) {
  // Lines may end in "\r" alone; a UTF-8 mark before the first header is not part of it.
  const win::IniText bare("\xEF\xBB\xBF[A]\rK=v\r");
  EXPECT_EQ(bare.ReadString("A", "K", "-"), "v");
  const win::IniText empty("");
  EXPECT_EQ(empty.ReadString("A", "K", "-"), "-");
  const std::string longValue(5000, 'x');
  const win::IniText big("[A]\nK=" + longValue + "\n");
  EXPECT_EQ(big.ReadString("A", "K", ""), longValue.substr(0, win::IniText::kMaxValue));
}

// Edits as the system's writer makes them: the value on its own line, a new key after the
// section's last line, a new section at the end; every other byte stays.
TEST(IniText, EditsTouchOnlyTheirOwnLine) {
  struct Case {
    const char* text;
    const char *section, *key, *value;
    const char* after;
  };
  const Case kCases[] = {
      {"", "Setting", "Profile", "2", "[Setting]\r\nProfile=2\r\n"},
      {"[Setting]\r\nspeedx = 3 \r\n", "Setting", "SpeedX", "9", "[Setting]\r\nspeedx=9\r\n"},
      {"; note\n[A]\nK=1\n\n[B]\nL=2\n", "a", "New", "x", "; note\n[A]\nK=1\nNew=x\n\n[B]\nL=2\n"},
      {"[A]\r\nK=1", "A", "M", "2", "[A]\r\nK=1\r\nM=2\r\n"},
      {"[A]\rK=1\r", "B", "M", "2", "[A]\rK=1\r[B]\rM=2\r"},
      {"\xEF\xBB\xBF[A]\nK=1\n[A]\nK=5\n", "A", "K", "7", "\xEF\xBB\xBF[A]\nK=7\n[A]\nK=5\n"},
      {"[A]\nK\n", "A", "K", "4", "[A]\nK=4\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    win::IniText ini(c.text);
    EXPECT_EQ(ini.Text(), c.text) << "nothing set: the same bytes";
    ini.Set(c.section, c.key, c.value);
    EXPECT_EQ(ini.Text(), c.after);
    EXPECT_EQ(ini.ReadString(c.section, c.key, "-"), c.value);
    EXPECT_EQ(win::IniText(ini.Text()).ReadString(c.section, c.key, "-"), c.value);
  }
}

}  // namespace

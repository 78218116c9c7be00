// IniText against the table of forms it shares with the system's reader.
#include <gtest/gtest.h>

#include "ini_text_cases.h"
#include "skin/ini_text.h"

namespace {

TEST(IniText, LooksUpLikeTheSystemsReader) {
  const skin::IniText ini(initest::kText);
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
  const skin::IniText bare("\xEF\xBB\xBF[A]\rK=v\r");
  EXPECT_EQ(bare.ReadString("A", "K", "-"), "v");
  const skin::IniText empty("");
  EXPECT_EQ(empty.ReadString("A", "K", "-"), "-");
  const std::string longValue(5000, 'x');
  const skin::IniText big("[A]\nK=" + longValue + "\n");
  EXPECT_EQ(big.ReadString("A", "K", ""), longValue.substr(0, skin::IniText::kMaxValue));
}

}  // namespace

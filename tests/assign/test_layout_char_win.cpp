// Key names through the real keyboard layout.
#include <gtest/gtest.h>

#include "assign/key_names.h"
#include "assign/layout_char_win.h"
#include "assign/macro_text.h"

using namespace assign;

namespace {

TEST(LayoutCharTest, LettersAndDigitsAreNamedByTheirKeys) {
  for (std::uint32_t vk = 'A'; vk <= 'Z'; ++vk)
    EXPECT_EQ(KeyName(vk, LayoutChar), std::string(1, char(vk))) << "upper case without Shift";
  for (std::uint32_t vk = '0'; vk <= '9'; ++vk)
    EXPECT_EQ(KeyName(vk, LayoutChar), std::string(1, char(vk)));
  const MacroEvent events[] = {
      {162, 0}, {67, 0}, {67, kEventRelease | kEventDelay}, {162, kEventRelease}};
  EXPECT_EQ(MacroText(events, MacroMode::Macro, LayoutChar), "LCtrl| C| C^<delay> LCtrl^ ");
}

}  // namespace

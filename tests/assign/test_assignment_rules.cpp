// Menu results and codes, the click rule, the all-profile write and button faces.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "assign/assignment_rules.h"
#include "assign/button_face.h"
#include "assign/menu_codes.h"

using namespace assign;
using settings::ButtonAssignment;
using settings::ProfileSet;

namespace {

char NoCharacters(std::uint32_t) { return '\0'; }

ProfileSet LoadedDefaults() {
  ProfileSet scratch{}, record{};
  settings::SetDefaults(scratch);
  settings::Normalise(record, scratch);
  return record;
}

struct ItemCase {
  Menu menu;
  int item;
  int result;
  int code;
};

TEST(MenuCodesTest, ItemsReturnTheirResultsAndResultsStoreTheirCodes) {
  const ItemCase cases[] = {
      {Menu::Function, 1, 0, 1},          {Menu::Function, 5, 4, 8},
      {Menu::Function, 6, 5, 10},         {Menu::Function, 8, 7, 97},
      {Menu::Function, 11, 10, 7},        {Menu::Function, 12, 13, 114},
      {Menu::Function, 13, -1, 0},        {Menu::Function, 0, -1, 0},
      {Menu::ScrollFunction, 3, 2, 4},    {Menu::ScrollFunction, 4, 3, 8},
      {Menu::ScrollFunction, 5, 4, 48},   {Menu::ScrollFunction, 6, 5, 49},
      {Menu::ScrollFunction, 7, 6, 7},    {Menu::ScrollFunction, 8, -1, 0},
      {Menu::BasicCommand, 1, 0, 64},     {Menu::BasicCommand, 9, 8, 72},
      {Menu::AdditionalCommand, 2, 1, 81}, {Menu::AdditionalCommand, 3, 2, 83},
      {Menu::AdditionalCommand, 7, 6, 87}, {Menu::MediaCommand, 4, 3, 35},
      {Menu::MediaCommand, 5, 4, 37},     {Menu::MediaCommand, 7, 6, 39},
  };
  for (const ItemCase& c : cases) {
    EXPECT_EQ(ItemResult(c.menu, c.item), c.result) << int(c.menu) << " item " << c.item;
    EXPECT_EQ(CodeOfResult(c.menu, c.result), c.code) << int(c.menu) << " item " << c.item;
  }
  // Results the menus never return store nothing.
  EXPECT_EQ(CodeOfResult(Menu::Function, 11), 0);
  EXPECT_EQ(CodeOfResult(Menu::Function, 12), 0);
  EXPECT_EQ(CodeOfResult(Menu::MediaCommand, 7), 0);
  const int counts[] = {12, 7, 9, 7, 7};
  for (int m = 0; m < 5; ++m) EXPECT_EQ(ItemCount(Menu(m)), counts[m]);
}

TEST(MenuCodesTest, AStoredCodeMarksTheItemThatLedToIt) {
  const std::tuple<Menu, int, int> cases[] = {  // menu, code, item
      {Menu::Function, 114, 12}, {Menu::Function, 6, 5}, {Menu::Function, 72, 5}, {Menu::Function, 20, 8},
      {Menu::Function, 48, 0},   {Menu::ScrollFunction, 33, 4}, {Menu::ScrollFunction, 21, 0}, {Menu::MediaCommand, 5, 0}};
  for (const auto& [menu, code, item] : cases) EXPECT_EQ(ItemOfCode(menu, std::uint8_t(code)), item) << code;
}

TEST(MenuCodesTest, AdditionalItemOneIsOnlyForButtonsOneToFive) {
  for (int b = 0; b < settings::kButtonCount; ++b) {
    EXPECT_EQ(ItemEnabled(Menu::AdditionalCommand, 1, b), b < 5) << "button index " << b;
    EXPECT_TRUE(ItemEnabled(Menu::AdditionalCommand, 2, b));
    EXPECT_TRUE(ItemEnabled(Menu::MediaCommand, 1, b));
  }
  EXPECT_FALSE(ItemEnabled(Menu::AdditionalCommand, 8, 0));
  EXPECT_FALSE(ItemEnabled(Menu::Function, 0, 0));
}

struct PlanCase {
  unsigned clicks;  // bit i: button i + 1 has "click" in the current profile
  int button;       // index 0..8
  int code;
  AssignAction action;
};

TEST(AssignmentRulesTest, ClickRuleAndCodeDecideTheNextStep) {
  using A = AssignAction;
  const PlanCase cases[] = {
      {0b00001, 0, 2, A::ClickWarning},        // the last click would go
      {0b00001, 0, 1, A::Store},               // "click" again needs no check
      {0b00011, 0, 2, A::Store},               // button 2 keeps a click
      {0b00001, 0, 114, A::ClickWarning},      // the click rule comes before the profile warning
      {0b00001, 5, 48, A::Store},              // a wheel direction: button 1 keeps its click
      {0b00000, 5, 48, A::ClickWarning},       // no click at all: every non-click is refused
      {0b00000, 7, 1, A::Store},               // choosing "click" never warns
      {0b00001, 3, 114, A::ConfirmAllProfiles},
      {0b00001, 3, 8, A::OpenMacroEditor},
      {0b00001, 3, 97, A::OpenProfileSwitch},
      {0b10000, 4, 10, A::ClickWarning},       // its own click does not count
      {0b00001, 3, 0, A::Nothing},
      {0b00001, 9, 2, A::Nothing},
  };
  for (const PlanCase& c : cases) {
    ProfileSet set = LoadedDefaults();  // profile 0 keeps its click on button 1 throughout
    set.Profile = 2;
    for (int i = 0; i < 5; ++i) set.profiles[2].buttons[i].code = (c.clicks >> i & 1) ? 1 : 2;
    const AssignPlan plan = PlanAssignment(set, c.button, std::uint8_t(c.code));
    EXPECT_EQ(plan.action, c.action)
        << "clicks " << c.clicks << " button " << c.button << " code " << c.code;
    if (plan.action != A::Nothing) {
      EXPECT_EQ(plan.code, c.code);
    }
  }
}

TEST(AssignmentRulesTest, StoreWritesTheCurrentProfileOrAllFiveForCode114) {
  for (const std::uint8_t code : {std::uint8_t(10), std::uint8_t(114)}) {
    ProfileSet before = LoadedDefaults();
    before.Profile = 2;
    for (settings::ProfileData& profile : before.profiles) {
      for (ButtonAssignment& r : profile.buttons) {
        r.macroOption = 1;
        r.eventCount = 2;
        r.events[1] = {4, 1};
      }
    }
    ProfileSet after = before;
    StoreFunction(after, 3, code);
    for (int p = 0; p < settings::kProfileCount; ++p) {
      for (int b = 0; b < settings::kButtonCount; ++b) {
        const ButtonAssignment& was = before.profiles[p].buttons[b];
        const ButtonAssignment& now = after.profiles[p].buttons[b];
        const bool written = b == 3 && (p == 2 || code == 114);
        if (!written) {
          EXPECT_EQ(0, std::memcmp(&was, &now, sizeof now)) << "profile " << p << " button " << b;
          continue;
        }
        ButtonAssignment expected{};
        expected.button = was.button;
        expected.macroOption = was.macroOption;
        expected.code = code;
        EXPECT_EQ(0, std::memcmp(&expected, &now, sizeof now))
            << "profile " << p << " code " << int(code);
      }
    }
  }
}

struct FaceCase {
  int code;
  int usage;
  bool plainKey;
  int cellIndex;
  const char* caption;
};

TEST(ButtonFaceTest, SingleKeysAreNamedAndOtherCodesPictured) {
  const FaceCase cases[] = {
      {5, 4, true, -1, "?"},  // no layout characters here: the fallback shows
      {5, 40, true, -1, "Ret"},  {5, 88, true, -1, "NumRet"}, {5, 0, true, -1, "key"},
      {5, 50, true, -1, "key"},  {10, 40, false, 34, ""},      {1, 0, false, 0, ""},
      {23, 0, false, 52, ""},    {14, 0, false, -1, ""},       {0, 0, false, -1, ""},
  };
  for (const FaceCase& c : cases) {
    ButtonAssignment record{};
    record.code = std::uint8_t(c.code);
    record.eventCount = 1;
    record.events[0].usage = std::uint8_t(c.usage);
    const ButtonFace face = FaceOf(record, NoCharacters);
    EXPECT_EQ(face.plainKey, c.plainKey) << "code " << c.code << " usage " << c.usage;
    EXPECT_EQ(face.cellIndex, c.cellIndex) << "code " << c.code;
    EXPECT_EQ(face.caption, c.caption) << "code " << c.code << " usage " << c.usage;
  }
}

}  // namespace

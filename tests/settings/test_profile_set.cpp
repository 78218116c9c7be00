// Validation, comparison and reset rules of the settings record.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/profile_set.h"

using namespace settings;

namespace {

ProfileSet LoadedDefaults() {
  ProfileSet scratch{}, record{};
  SetDefaults(scratch);
  Normalise(record, scratch);
  return record;
}

TEST(ProfileSetTest, DefaultsNormaliseToTheFactoryValues) {
  const ProfileSet r = LoadedDefaults();
  EXPECT_EQ(r.Profile, 0);
  EXPECT_EQ(r.TrayEnabled, 1);
  EXPECT_EQ(r.Buttons, 9);
  EXPECT_EQ(r.UniversalScrollEnabled, 1);
  EXPECT_EQ(r.AccelerationEnabled, 0);
  EXPECT_EQ(r.AutoSaveEnable, 0);
  EXPECT_EQ(r.ActiveFlyEnable, 0);
  EXPECT_EQ(r.OFASensitivityEnabled, 1);
  EXPECT_EQ(r.OFASensitivityViewable, 1);
  EXPECT_EQ(r.XYSensitivityEnabled, 0);
  EXPECT_EQ(r.OFASensitivity, 18);
  EXPECT_EQ(r.SpeedX, 18);
  EXPECT_EQ(r.SpeedY, 18);
  EXPECT_EQ(r.LedState, 3);
  EXPECT_EQ(r.ReservedLevel, 3);
  EXPECT_EQ(r.DoubleClickSpeed, 500);
  EXPECT_EQ(r.MouseSensitivity, 10);
  EXPECT_EQ(r.AccelerationLevel, 8);
  EXPECT_EQ(r.WheelScrollLines, 3);
  const int codes[] = {1, 2, 3, 11, 10, 48, 49, 112, 113};
  for (const ProfileData& profile : r.profiles) {
    EXPECT_EQ(profile.values[0], 1);
    EXPECT_EQ(profile.values[1], 2);
    EXPECT_EQ(profile.values[2], 2);
    EXPECT_EQ(profile.values[3], 1);
    for (int b = 0; b < kButtonCount; ++b) {
      const ButtonAssignment& record = profile.buttons[b];
      EXPECT_EQ(record.button, b + 1);
      EXPECT_EQ(record.code, codes[b]);
      EXPECT_EQ(record.macroOption, 0);
      EXPECT_EQ(record.eventCount, 0);
      const ButtonAssignment zero{};
      EXPECT_EQ(0, std::memcmp(record.events, zero.events, sizeof zero.events));
    }
  }
}

TEST(ProfileSetTest, SetDefaultsKeepsTheReservedFieldAndButtons) {
  ProfileSet r{};
  r.reserved = 77;
  r.Buttons = 5;
  r.SpeedX = 3;
  SetDefaults(r);
  EXPECT_EQ(r.reserved, 77);
  EXPECT_EQ(r.Buttons, 5);
  EXPECT_EQ(r.SpeedX, -1);
  EXPECT_EQ(r.profiles[4].buttons[8].code, 255);
}

struct FieldCase {
  std::int32_t ProfileSet::*field;
  std::int32_t stored;
  std::int32_t loaded;
};

TEST(ProfileSetTest, OutOfRangeValuesTakeTheirReplacementAndBoundsStay) {
  const FieldCase cases[] = {
      {&ProfileSet::Profile, 7, 0},           {&ProfileSet::Profile, 4, 4},
      {&ProfileSet::Profile, -1, 0},          {&ProfileSet::SpeedX, 19, 18},
      {&ProfileSet::SpeedX, 0, 0},            {&ProfileSet::SpeedY, -5, 18},
      {&ProfileSet::Buttons, 0, 9},           {&ProfileSet::Buttons, 1, 1},
      {&ProfileSet::LedState, 4, 3},          {&ProfileSet::LedState, 0, 0},
      {&ProfileSet::DoubleClickSpeed, 901, 500}, {&ProfileSet::DoubleClickSpeed, 900, 900},
      {&ProfileSet::DoubleClickSpeed, 0, 0},  {&ProfileSet::DoubleClickSpeed, -100, 500},
      {&ProfileSet::WheelScrollLines, 0, 3},  {&ProfileSet::WheelScrollLines, 18, 18},
      {&ProfileSet::MouseSensitivity, 21, 10}, {&ProfileSet::MouseSensitivity, 0, 10},
      {&ProfileSet::AccelerationLevel, 17, 8}, {&ProfileSet::AccelerationLevel, 16, 16},
      {&ProfileSet::SwapMouseButtons, 2, 0},  {&ProfileSet::TrayEnabled, 2, 1},
      {&ProfileSet::OFASensitivityEnabled, -1, 1}, {&ProfileSet::UniversalScrollEnabled, 9, 1},
      {&ProfileSet::OFASensitivity, INT32_MIN, 18}, {&ProfileSet::ReservedLevel, 7, 3},
  };
  for (const FieldCase& c : cases) {
    ProfileSet source = LoadedDefaults(), target{};
    source.*c.field = c.stored;
    Normalise(target, source);
    EXPECT_EQ(target.*c.field, c.loaded) << "stored " << c.stored;
  }
}

TEST(ProfileSetTest, RecordsWithUnknownCodesTakeTheButtonsDefault) {
  ProfileSet source = LoadedDefaults(), target{};
  source.profiles[2].buttons[3].code = 25;
  source.profiles[2].buttons[3].eventCount = 2;
  source.profiles[2].buttons[4].code = 114;
  source.profiles[1].buttons[0].code = 0;
  source.profiles[0].buttons[7].code = 97;  // pictured, but never stored by the program
  source.profiles[1].buttons[1].macroOption = 2;
  source.profiles[3].values[1] = 4;
  source.profiles[3].values[3] = 4;
  Normalise(target, source);
  EXPECT_EQ(target.profiles[2].buttons[3].code, 11);
  EXPECT_EQ(target.profiles[2].buttons[3].eventCount, 2) << "only the code is replaced";
  EXPECT_EQ(target.profiles[2].buttons[4].code, 114);
  EXPECT_EQ(target.profiles[1].buttons[0].code, 1);
  EXPECT_EQ(target.profiles[0].buttons[7].code, 112);
  EXPECT_EQ(target.profiles[1].buttons[1].macroOption, 1);
  EXPECT_EQ(target.profiles[3].values[1], 2);
  EXPECT_EQ(target.profiles[3].values[3], 4);
}

class CompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    baseline = LoadedDefaults();
    baseline.AccelerationLevel = 0;  // consistent with acceleration off
    current = baseline;
  }
  ProfileSet baseline{}, current{};
};

TEST_F(CompareTest, EqualRecordsGiveNothing) { EXPECT_EQ(Compare(baseline, current), NoChange); }

TEST_F(CompareTest, EachGroupSetsItsOwnBitAndTheBaselineFollows) {
  current.SpeedX = 4;
  EXPECT_EQ(Compare(baseline, current), GeneralChanged);
  EXPECT_EQ(baseline.SpeedX, 4);
  EXPECT_EQ(Compare(baseline, current), NoChange);

  current.Profile = 3;
  EXPECT_EQ(Compare(baseline, current), ProfileSwitched);
  current.LedState = 1;
  EXPECT_EQ(Compare(baseline, current), LedChanged);
  current.profiles[4].buttons[8].events[19].flags = 0x80;
  EXPECT_EQ(Compare(baseline, current), ProfileDataChanged);
  EXPECT_EQ(baseline.profiles[4].buttons[8].events[19].flags, 0x80);
  current.profiles[0].values[2] = 3;
  EXPECT_EQ(Compare(baseline, current), ProfileDataChanged);
  current.XYSensitivityEnabled = 1;
  current.AutoSaveEnable = 1;
  current.profiles[1].buttons[0].code = 7;
  EXPECT_EQ(Compare(baseline, current), GeneralChanged | ProfileDataChanged);
}

TEST_F(CompareTest, TrayButtonsAndReservedAreNotCompared) {
  current.TrayEnabled = 0;
  current.Buttons = 5;
  current.reserved = 9;
  EXPECT_EQ(Compare(baseline, current), NoChange);
  EXPECT_EQ(baseline.TrayEnabled, 1) << "the baseline does not follow them";
}

TEST_F(CompareTest, LevelWithAccelerationOffIsZeroedInBoth) {
  current.AccelerationLevel = 12;
  EXPECT_EQ(Compare(baseline, current), GeneralChanged);
  EXPECT_EQ(current.AccelerationLevel, 0);
  EXPECT_EQ(baseline.AccelerationLevel, 0);

  current.AccelerationEnabled = 1;
  current.AccelerationLevel = 12;
  EXPECT_EQ(Compare(baseline, current), GeneralChanged);
  EXPECT_EQ(current.AccelerationLevel, 12);
  EXPECT_EQ(Compare(baseline, current), NoChange);
}

TEST(ResetProfileTest, RestoresOneProfileOnly) {
  ProfileSet r = LoadedDefaults();
  for (ProfileData& profile : r.profiles) {
    profile.values[0] = 4;
    for (ButtonAssignment& b : profile.buttons) {
      b.button = 42;
      b.code = 6;
      b.macroOption = 0;
      b.eventCount = 3;
      b.events[2].usage = 4;
    }
  }
  ResetProfile(r, 2);
  const ProfileData& reset = r.profiles[2];
  EXPECT_EQ(reset.values[0], 1);
  EXPECT_EQ(reset.values[1], 2);
  EXPECT_EQ(reset.values[2], 2);
  EXPECT_EQ(reset.values[3], 1);
  for (int b = 0; b < kButtonCount; ++b) {
    EXPECT_EQ(reset.buttons[b].button, 42) << "byte 0 is not touched";
    EXPECT_EQ(reset.buttons[b].code, DefaultCode(b));
    EXPECT_EQ(reset.buttons[b].macroOption, 1);
    EXPECT_EQ(reset.buttons[b].eventCount, 0);
    EXPECT_EQ(reset.buttons[b].events[2].usage, 0);
  }
  for (int p : {0, 1, 3, 4}) {
    EXPECT_EQ(r.profiles[p].values[0], 4);
    EXPECT_EQ(r.profiles[p].buttons[5].code, 6);
  }
  ResetProfile(r, 5);  // out of range: nothing happens
  ResetProfile(r, -1);
  EXPECT_EQ(r.profiles[4].buttons[0].code, 6);
}

}  // namespace

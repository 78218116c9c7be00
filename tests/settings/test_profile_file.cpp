// The profile file layout: what Load reads, what Write writes and in which order.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/profile_file.h"
#include "support/memory_stores.h"

using namespace settings;
using testing_support::EncodeStruct;
using testing_support::MemoryIni;
using testing_support::MemoryPointerStore;

namespace {

ProfileSet LoadText(const std::string& text, MemoryPointerStore* pointers = nullptr) {
  MemoryIni file = MemoryIni::Parse(text);
  MemoryPointerStore none;
  ProfileSet scratch{}, record{};
  SetDefaults(scratch);
  Load(scratch, file, pointers ? *pointers : none, -1);
  Normalise(record, scratch);
  return record;
}

ButtonAssignment Record(int button, int code) {
  ButtonAssignment r{};
  r.button = static_cast<std::uint8_t>(button);
  r.code = static_cast<std::uint8_t>(code);
  return r;
}

TEST(ProfileFileTest, ValuesAreReadCaseInsensitivelyAndProfileComesFromTheFile) {
  const ProfileSet r = LoadText(
      "[setting]\nPROFILE=3\nspeedx=7\nSpeedY=19\nButtons=0\nLedState=4\nTrayEnabled=0\n"
      "AutoSaveEnable=1\n");
  EXPECT_EQ(r.Profile, 3);
  EXPECT_EQ(r.SpeedX, 7);
  EXPECT_EQ(r.SpeedY, 18);
  EXPECT_EQ(r.Buttons, 9);
  EXPECT_EQ(r.LedState, 3);
  EXPECT_EQ(r.TrayEnabled, 0);
  EXPECT_EQ(r.AutoSaveEnable, 1);
}

TEST(ProfileFileTest, AnExplicitProfileIndexWinsOverTheFile) {
  MemoryIni file = MemoryIni::Parse("[Setting]\nProfile=3\n");
  MemoryPointerStore pointers;
  ProfileSet r{};
  SetDefaults(r);
  Load(r, file, pointers, 1);
  EXPECT_EQ(r.Profile, 1);
}

TEST(ProfileFileTest, RecordsLoadOnlyWithAMatchingChecksumAndSize) {
  ButtonAssignment macro = Record(4, 6);
  macro.eventCount = 2;
  macro.events[0] = {4, 0};
  macro.events[1] = {4, 0x81};
  std::string good = EncodeStruct(&macro, sizeof macro);
  std::string flipped = good;
  flipped[10] = flipped[10] == 'A' ? 'B' : 'A';
  ButtonAssignment other = Record(1, 114);
  const std::string shortForm = EncodeStruct(&other, 43);
  const std::string text = "[GROUP1]\nButtonAssigned4=" + good + "\nButtonAssigned5=" + flipped +
                           "\n[GROUP4]\nButtonAssigned1=" + shortForm +
                           "\nButtonAssigned2=" + EncodeStruct(&other, sizeof other) + "\n";
  const ProfileSet r = LoadText(text);
  EXPECT_EQ(0, std::memcmp(&r.profiles[1].buttons[3], &macro, sizeof macro));
  EXPECT_EQ(r.profiles[1].buttons[4].code, 10) << "a changed digit fails the checksum";
  EXPECT_EQ(r.profiles[1].buttons[4].button, 5);
  EXPECT_EQ(r.profiles[4].buttons[0].code, 1) << "43 bytes are not a record";
  EXPECT_EQ(r.profiles[4].buttons[1].code, 114);
  EXPECT_EQ(r.profiles[4].buttons[1].button, 1) << "byte 0 comes from the file as it is";
}

TEST(ProfileFileTest, WriteProducesTheFileOrderAndLoadReadsItBack) {
  ProfileSet original = LoadText("");
  original.Profile = 2;
  original.SpeedX = 5;
  original.profiles[3].buttons[6] = Record(7, 80);
  original.profiles[3].values[0] = 4;  // per-profile values are not stored
  MemoryIni file;
  MemoryPointerStore pointers;
  ASSERT_TRUE(Write(original, file, pointers));

  const std::vector<std::string>& order = file.WriteOrder();
  ASSERT_EQ(order.size(), 14u + 45u);
  const char* keys[] = {"Profile", "TrayEnabled", "Buttons", "UniversalScrollEnabled",
                        "AccelerationEnabled", "AutoSaveEnable", "ActiveFlyEnable",
                        "OFASensitivityEnabled", "OFASensitivityViewable", "XYSensitivityEnabled",
                        "OFASensitivity", "SpeedX", "SpeedY", "LedState"};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(order[i], std::string("Setting/") + keys[i]);
  EXPECT_EQ(order[14], "GROUP0/ButtonAssigned1");
  EXPECT_EQ(order[22], "GROUP0/ButtonAssigned9");
  EXPECT_EQ(order[58], "GROUP4/ButtonAssigned9");
  EXPECT_EQ(file.Get("GROUP3", "ButtonAssigned7")->size(), 90u);

  ProfileSet scratch{}, reloaded{};
  SetDefaults(scratch);
  Load(scratch, file, pointers, -1);
  Normalise(reloaded, scratch);
  original.profiles[3].values[0] = 1;
  EXPECT_EQ(0, std::memcmp(&reloaded, &original, sizeof original));
}

TEST(ProfileFileTest, AWriteFailureIsReported) {
  MemoryIni file;
  file.FailWrites(true);
  MemoryPointerStore pointers;
  ProfileSet r = LoadText("");
  EXPECT_FALSE(Write(r, file, pointers));
}

TEST(ProfileFileTest, ReadSpeedsTakesTheThreeValuesUnvalidated) {
  MemoryIni file = MemoryIni::Parse("[Setting]\nSpeedX=30\nSpeedY=-2\n");
  ProfileSet r = LoadText("");
  r.OFASensitivity = 4;
  ReadSpeeds(r, file);
  EXPECT_EQ(r.SpeedX, 30);
  EXPECT_EQ(r.SpeedY, -2);
  EXPECT_EQ(r.OFASensitivity, -1);
}

TEST(ProfileFileTest, RegistryValuesAreReadBeforeTheFile) {
  MemoryPointerStore pointers;
  pointers.Put(kMouseKey, "DoubleClickSpeed", "901");
  pointers.Put(kMouseKey, "MouseSensitivity", "15");
  pointers.Put(kDesktopKey, "WheelScrollLines", "7");
  const ProfileSet r = LoadText("[Setting]\nDoubleClickSpeed=200\n", &pointers);
  EXPECT_EQ(r.DoubleClickSpeed, 500) << "901 is out of range; the file's key is not ours";
  EXPECT_EQ(r.MouseSensitivity, 15);
  EXPECT_EQ(r.WheelScrollLines, 7);
}

}  // namespace

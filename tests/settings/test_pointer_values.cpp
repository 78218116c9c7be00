// The acceleration table and the pointer values as they are read and written.
#include <gtest/gtest.h>

#include "settings/pointer_values.h"
#include "support/memory_stores.h"

using namespace settings;
using testing_support::MemoryPointerStore;

namespace {

const AccelerationRow kRows[17] = {
    {0, 0, 0},  {1, 12, 0}, {1, 11, 0}, {1, 10, 0}, {1, 9, 0},  {1, 8, 0},
    {1, 7, 0},  {1, 6, 0},  {1, 5, 0},  {1, 4, 0},  {2, 4, 12}, {2, 4, 11},
    {2, 4, 10}, {2, 4, 9},  {2, 4, 8},  {2, 4, 7},  {2, 4, 6}};

int LevelRead(const std::string& s, const std::string& t1, const std::string& t2, int before) {
  MemoryPointerStore store;
  store.Put(kMouseKey, "MouseSpeed", s);
  store.Put(kMouseKey, "MouseThreshold1", t1);
  store.Put(kMouseKey, "MouseThreshold2", t2);
  ProfileSet r{};
  r.AccelerationLevel = before;
  ReadPointerSettings(r, store);
  return r.AccelerationLevel;
}

TEST(AccelerationTest, EveryRowReadsBackAsItsLevel) {
  for (int level = 0; level < 17; ++level) {
    const AccelerationRow& row = kRows[level];
    EXPECT_EQ(LevelRead(std::to_string(row.mouseSpeed), std::to_string(row.threshold1),
                        std::to_string(row.threshold2), -1),
              level);
  }
}

TEST(AccelerationTest, TheLastMatchingRowWinsAndNoMatchKeepsTheField) {
  EXPECT_EQ(LevelRead("1", "3", "0", -1), 9);
  EXPECT_EQ(LevelRead("1", "6", "10", -1), -1) << "thresholds above every row";
  EXPECT_EQ(LevelRead("1", "6", "10", 5), 5);
  EXPECT_EQ(LevelRead("0", "0", "0", 7), 0);
  EXPECT_EQ(LevelRead("2", "1", "1", -1), 16);
  EXPECT_EQ(LevelRead("3", "0", "0", 4), 4);
  EXPECT_EQ(LevelRead("1x", " 3", "0junk", -1), 9) << "numbers are leading digits";
}

TEST(PointerSettingsTest, WritingPicksTheRowFromTheSwitchAndTheClampedLevel) {
  struct Case {
    int enabled, level;
    AccelerationRow row;
  } cases[] = {{0, 12, kRows[0]}, {1, 12, kRows[12]}, {1, 20, kRows[16]},
               {1, -3, kRows[0]}, {1, 0, kRows[0]},   {2, 5, kRows[5]}};
  for (const Case& c : cases) {
    ProfileSet r{};
    r.AccelerationEnabled = c.enabled;
    r.AccelerationLevel = c.level;
    r.DoubleClickSpeed = 432;
    r.SwapMouseButtons = 1;
    r.MouseSensitivity = -7;
    r.WheelScrollLines = 12;
    MemoryPointerStore store;
    WritePointerSettings(r, store);
    EXPECT_EQ(store.Value(kMouseKey, "MouseSpeed"), std::to_string(c.row.mouseSpeed));
    EXPECT_EQ(store.Value(kMouseKey, "MouseThreshold1"), std::to_string(c.row.threshold1));
    EXPECT_EQ(store.Value(kMouseKey, "MouseThreshold2"), std::to_string(c.row.threshold2));
    EXPECT_EQ(store.Value(kMouseKey, "DoubleClickSpeed"), "432");
    EXPECT_EQ(store.Value(kMouseKey, "SwapMouseButtons"), "1");
    EXPECT_EQ(store.Value(kMouseKey, "MouseSensitivity"), "-7");
    EXPECT_EQ(store.Value(kDesktopKey, "WheelScrollLines"), "12");
  }
}

TEST(PointerSettingsTest, AKeyThatCannotBeOpenedStopsThere) {
  ProfileSet r{};
  r.WheelScrollLines = 5;
  r.DoubleClickSpeed = 300;
  MemoryPointerStore store;
  store.MakeMissing(kMouseKey);
  WritePointerSettings(r, store);
  EXPECT_FALSE(store.Value(kDesktopKey, "WheelScrollLines")) << "nothing after the failure";

  MemoryPointerStore desktopless;
  desktopless.MakeMissing(kDesktopKey);
  desktopless.Put(kMouseKey, "DoubleClickSpeed", "250");
  ProfileSet read{};
  read.WheelScrollLines = 99;
  ReadPointerSettings(read, desktopless);
  EXPECT_EQ(read.DoubleClickSpeed, 250);
  EXPECT_EQ(read.WheelScrollLines, 99);
}

TEST(PointerSettingsTest, UnreadableValuesLeaveTheirFields) {
  MemoryPointerStore store;
  store.Put(kMouseKey, "SwapMouseButtons", "1");
  ProfileSet r{};
  r.DoubleClickSpeed = -1;
  r.MouseSensitivity = -1;
  ReadPointerSettings(r, store);
  EXPECT_EQ(r.SwapMouseButtons, 1);
  EXPECT_EQ(r.DoubleClickSpeed, -1);
  EXPECT_EQ(r.MouseSensitivity, -1);
}

}  // namespace

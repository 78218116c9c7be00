// The settings store through the real private-profile and registry functions under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "win32/ini_file.h"
#include "settings/registry_pointer_store.h"
#include "settings/settings_store.h"
#include "support/win_test_support.h"

using namespace settings;
using win::IniFile;
using testing_support::PutString;
using testing_support::ReadStoredValue;
using testing_support::ScratchUserHive;
using testing_support::TempFolder;

namespace {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hive.Active()) << "HKEY_CURRENT_USER cannot be redirected"; }

  ProfileSet LoadNormalised(const std::string& path) {
    ProfileSet scratch{}, current{}, baseline{};
    LoadSettings(scratch, current, baseline, path);
    EXPECT_EQ(0, std::memcmp(&current, &baseline, sizeof current));
    return current;
  }
  void PutMouse(const char* name, const char* value) {
    ASSERT_TRUE(PutString(HKEY_CURRENT_USER, "Control Panel\\Mouse", name, value));
  }
  std::string MouseValue(const char* name) {
    return ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", name).data;
  }

  ScratchUserHive hive;
  TempFolder folder;
};

TEST_F(StoreTest, RecordsAreStoredAsNinetyUpperCaseHexDigits) {
  IniFile ini(folder.File("records.ini"));
  ButtonAssignment record{};
  record.button = 3;
  record.code = 0xAB;
  record.events[19].flags = 0x81;
  ASSERT_TRUE(ini.WriteStruct("GROUP0", "ButtonAssigned3", &record, sizeof record));
  const std::string text = ini.ReadString("GROUP0", "ButtonAssigned3", "");
  ASSERT_EQ(text.size(), 90u);
  EXPECT_EQ(text.substr(0, 4), "03AB");
  EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);

  ButtonAssignment back{};
  ASSERT_TRUE(ini.ReadStruct("group0", "buttonassigned3", &back, sizeof back));
  EXPECT_EQ(0, std::memcmp(&back, &record, sizeof record));
  EXPECT_FALSE(ini.ReadStruct("GROUP0", "ButtonAssigned3", &back, 43)) << "size must match";
}

TEST_F(StoreTest, MissingAndEmptyFilesLoadTheFactoryValues) {
  testing_support::WriteFileBytes(folder.File("empty.ini"), "");
  for (const std::string& path : {folder.File("missing.ini"), folder.File("empty.ini")}) {
    const ProfileSet r = LoadNormalised(path);
    EXPECT_EQ(r.Profile, 0);
    EXPECT_EQ(r.TrayEnabled, 1);
    EXPECT_EQ(r.Buttons, 9);
    EXPECT_EQ(r.UniversalScrollEnabled, 1);
    EXPECT_EQ(r.OFASensitivityEnabled, 1);
    EXPECT_EQ(r.OFASensitivityViewable, 1);
    EXPECT_EQ(r.XYSensitivityEnabled, 0);
    EXPECT_EQ(r.SpeedX, 18);
    EXPECT_EQ(r.LedState, 3);
    EXPECT_EQ(r.DoubleClickSpeed, 500) << "empty hive: the registry has no value either";
    EXPECT_EQ(r.profiles[3].buttons[3].code, 11);
    EXPECT_EQ(r.profiles[3].buttons[3].button, 4);
    EXPECT_EQ(r.profiles[3].buttons[3].macroOption, 0);
  }
}

TEST_F(StoreTest, OutOfRangeFileAndRegistryValuesLoadTheirReplacements) {
  const std::string path = folder.File("RerirUv.ini");
  testing_support::WriteFileBytes(
      path, "[Setting]\r\nProfile=7\r\nSpeedX=19\r\nButtons=0\r\nLedState=4\r\nSpeedY=-1\r\n");
  PutMouse("DoubleClickSpeed", "901");
  PutMouse("MouseSensitivity", "20");
  const ProfileSet r = LoadNormalised(path);
  EXPECT_EQ(r.Profile, 0);
  EXPECT_EQ(r.SpeedX, 18);
  EXPECT_EQ(r.Buttons, 9);
  EXPECT_EQ(r.LedState, 3);
  EXPECT_EQ(r.SpeedY, 18);
  EXPECT_EQ(r.DoubleClickSpeed, 500);
  EXPECT_EQ(r.MouseSensitivity, 20);
}

TEST_F(StoreTest, RecordChecksumAndCodeRulesHoldThroughTheRealFile) {
  const std::string path = folder.File("RerirUv.ini");
  IniFile ini(path);
  ButtonAssignment unknown{}, allProfiles{}, macro{};
  unknown.button = 4;
  unknown.code = 25;
  allProfiles.button = 5;
  allProfiles.code = 114;
  macro.button = 6;
  macro.code = 6;
  macro.eventCount = 1;
  macro.events[0].usage = 4;
  ASSERT_TRUE(ini.WriteStruct("GROUP2", "ButtonAssigned4", &unknown, sizeof unknown));
  ASSERT_TRUE(ini.WriteStruct("GROUP2", "ButtonAssigned5", &allProfiles, sizeof allProfiles));
  ASSERT_TRUE(ini.WriteStruct("GROUP2", "ButtonAssigned6", &macro, sizeof macro));
  // One digit of button 6's stored form changed: its checksum no longer matches.
  std::string text = ini.ReadString("GROUP2", "ButtonAssigned6", "");
  text[9] = text[9] == '1' ? '2' : '1';
  WritePrivateProfileStringA("GROUP2", "ButtonAssigned6", text.c_str(), path.c_str());

  const ProfileSet r = LoadNormalised(path);
  EXPECT_EQ(r.profiles[2].buttons[3].code, 11) << "25 is no function code";
  EXPECT_EQ(r.profiles[2].buttons[4].code, 114);
  EXPECT_EQ(r.profiles[2].buttons[5].code, 48) << "the changed record keeps its default";
  EXPECT_EQ(r.profiles[2].buttons[5].eventCount, 0);
}

TEST_F(StoreTest, AccelerationLevelFromTheRegistry) {
  struct Case {
    const char *speed, *t1, *t2;
    int level;
  } cases[] = {{"1", "6", "10", 8}, {"1", "3", "0", 9}, {"0", "0", "0", 0}, {"2", "4", "9", 13}};
  for (const Case& c : cases) {
    PutMouse("MouseSpeed", c.speed);
    PutMouse("MouseThreshold1", c.t1);
    PutMouse("MouseThreshold2", c.t2);
    EXPECT_EQ(LoadNormalised(folder.File("none.ini")).AccelerationLevel, c.level)
        << c.speed << "," << c.t1 << "," << c.t2;
  }
}

TEST_F(StoreTest, PointerValuesAreWrittenAsDecimalStrings) {
  ProfileSet r = LoadNormalised(folder.File("none.ini"));
  r.AccelerationEnabled = 0;
  r.AccelerationLevel = 12;
  r.DoubleClickSpeed = 430;
  ASSERT_TRUE(WriteToFile(r, folder.File("out.ini")));
  const auto speed = ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", "MouseSpeed");
  EXPECT_EQ(speed.type, static_cast<DWORD>(REG_SZ));
  // The length passed leaves the terminator out; the registry (on NT and in Wine) counts it
  // in again when the byte after the data is zero, so the stored length cannot show it.
  EXPECT_EQ(speed.data, "0");
  EXPECT_EQ(MouseValue("MouseThreshold1"), "0");
  EXPECT_EQ(MouseValue("MouseThreshold2"), "0");
  EXPECT_EQ(MouseValue("DoubleClickSpeed"), "430");

  r.AccelerationEnabled = 1;
  r.AccelerationLevel = 20;
  ASSERT_TRUE(WriteToFile(r, folder.File("out.ini")));
  EXPECT_EQ(MouseValue("MouseSpeed"), "2");
  EXPECT_EQ(MouseValue("MouseThreshold1"), "4");
  EXPECT_EQ(MouseValue("MouseThreshold2"), "6");
}

TEST_F(StoreTest, AMissingDesktopKeyIsCreatedWhenWriting) {
  HKEY desktop;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &desktop),
            ERROR_SUCCESS)
      << "the scratch hive starts without the key";
  ProfileSet r = LoadNormalised(folder.File("none.ini"));
  r.WheelScrollLines = 7;
  WriteToFile(r, folder.File("out.ini"));
  EXPECT_EQ(ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WheelScrollLines").data,
            "7");
}

TEST_F(StoreTest, ReadingOpensOrCreatesTheKeys) {
  ProfileSet r = LoadNormalised(folder.File("none.ini"));
  (void)r;
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Mouse", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(StoreTest, WritingCreatesTheMissingProfileFolder) {
  const std::string path = folder.Path() + "\\USB Optical Mouse\\Mouse\\RerirUv.ini";
  ProfileSet r = LoadNormalised(path);
  r.SpeedX = 4;
  ASSERT_TRUE(WriteToFile(r, path));
  EXPECT_EQ(LoadNormalised(path).SpeedX, 4);
}

}  // namespace

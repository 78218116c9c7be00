// The settings store against the real private-profile and registry functions under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/profile_file.h"
#include "win32/ini_document.h"
#include "settings/registry_pointer_store.h"
#include "settings/settings_store.h"
#include "support/win_test_support.h"

using namespace settings;
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

// What the system's reader gets from a file written here is what it gets from the same file
// written key by key through the system's own writer: every section, key and value, from a
// file that also holds keys and lines of others.
TEST_F(StoreTest, TheSystemsReaderGetsWhatItsWriterWouldHaveWritten) {
  const char* kStarts[] = {
      "",
      "[Setting]\r\nFWVersion=120\r\nDevice=1\r\nspeedx=3\r\n; a note\r\n\r\n[Extra]\r\nKeep=me\r\n"
      "[GROUP2]\r\nbuttonassigned4=zz\r\n[setting]\r\nLedState=1\r\n",
      "head=1\n[GROUP4]\nButtonAssigned9 = 1\n[Setting]\nProfile=4",
  };
  ProfileSet record = LoadNormalised(folder.File("none.ini"));
  record.Profile = 3;
  record.SpeedX = 7;
  record.profiles[2].buttons[3].code = 0xAB;
  record.profiles[4].buttons[8].events[19].flags = 0x81;
  for (const char* start : kStarts) {
    SCOPED_TRACE(start);
    const std::string system = folder.File("system.ini"), ours = folder.File("ours.ini");
    ASSERT_TRUE(testing_support::WriteFileBytes(system, start));
    testing_support::RecordFileWriter writer(system);
    ASSERT_TRUE(WriteProfileKeys(record, writer));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, system.c_str());  // flush the cache
    win::IniDocument document(start);
    ASSERT_TRUE(WriteProfileKeys(record, document));
    ASSERT_TRUE(testing_support::WriteFileBytes(ours, document.Text()));
    EXPECT_EQ(testing_support::EverythingTheReaderGets(ours),
              testing_support::EverythingTheReaderGets(system));
  }
  ButtonAssignment back{};
  ASSERT_TRUE(GetPrivateProfileStructA("group2", "buttonassigned4", &back, sizeof back,
                                       folder.File("ours.ini").c_str()));
  EXPECT_EQ(back.code, 0xAB);
  EXPECT_FALSE(GetPrivateProfileStructA("GROUP2", "ButtonAssigned4", &back, 43,
                                        folder.File("ours.ini").c_str()))
      << "size must match";
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
  ButtonAssignment unknown{}, allProfiles{}, macro{};
  unknown.button = 4;
  unknown.code = 25;
  allProfiles.button = 5;
  allProfiles.code = 114;
  macro.button = 6;
  macro.code = 6;
  macro.eventCount = 1;
  macro.events[0].usage = 4;
  const auto store = [&](const char* key, ButtonAssignment& record) {
    return WritePrivateProfileStructA("GROUP2", key, &record, sizeof record, path.c_str()) != FALSE;
  };
  ASSERT_TRUE(store("ButtonAssigned4", unknown));
  ASSERT_TRUE(store("ButtonAssigned5", allProfiles));
  ASSERT_TRUE(store("ButtonAssigned6", macro));
  // One digit of button 6's stored form changed: its checksum no longer matches.
  char stored[128] = {};
  GetPrivateProfileStringA("GROUP2", "ButtonAssigned6", "", stored, sizeof stored, path.c_str());
  std::string text = stored;
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
  ASSERT_TRUE(WriteToFile(r, folder.File("out.ini")).Ok());
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
  ASSERT_TRUE(WriteToFile(r, folder.File("out.ini")).Ok());
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
  ASSERT_TRUE(WriteToFile(r, path).Ok());
  EXPECT_EQ(LoadNormalised(path).SpeedX, 4);
}

}  // namespace

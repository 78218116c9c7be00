// Loading damaged or hostile profile files through the real private-profile reader never
// crashes and always ends with every field in its valid range.
#include <gtest/gtest.h>

#include <random>

#include "settings/settings_store.h"
#include "support/win_test_support.h"

using namespace settings;

namespace {

bool In(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; }

void ExpectValid(const ProfileSet& r, const std::string& what) {
  EXPECT_TRUE(In(r.Profile, 0, 4)) << what;
  EXPECT_TRUE(In(r.Buttons, 1, 9)) << what;
  EXPECT_TRUE(In(r.SwapMouseButtons, 0, 1)) << what;
  EXPECT_TRUE(In(r.DoubleClickSpeed, 0, 900)) << what;
  EXPECT_TRUE(In(r.WheelScrollLines, 1, 18)) << what;
  EXPECT_TRUE(In(r.MouseSensitivity, 1, 20)) << what;
  EXPECT_TRUE(In(r.AccelerationLevel, 0, 16)) << what;
  for (auto field : {&ProfileSet::UniversalScrollEnabled, &ProfileSet::AccelerationEnabled,
                     &ProfileSet::TrayEnabled, &ProfileSet::AutoSaveEnable,
                     &ProfileSet::ActiveFlyEnable, &ProfileSet::OFASensitivityEnabled,
                     &ProfileSet::OFASensitivityViewable, &ProfileSet::XYSensitivityEnabled})
    EXPECT_TRUE(In(r.*field, 0, 1)) << what;
  EXPECT_TRUE(In(r.OFASensitivity, 0, 18) && In(r.SpeedX, 0, 18) && In(r.SpeedY, 0, 18)) << what;
  EXPECT_TRUE(In(r.LedState, 0, 3)) << what;
  for (const ProfileData& p : r.profiles) {
    EXPECT_TRUE(In(p.values[0], 1, 4) && In(p.values[1], 1, 3) && In(p.values[2], 1, 3) &&
                In(p.values[3], 1, 4))
        << what;
    for (const ButtonAssignment& b : p.buttons)
      EXPECT_TRUE(IsAcceptedCode(b.code) && b.macroOption <= 1) << what;
  }
}

class BadProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hive.Active()); }
  ProfileSet LoadBytes(const std::string& bytes) {
    const std::string path = folder.File("RerirUv.ini");
    testing_support::WriteFileBytes(path, bytes);
    ProfileSet scratch{}, current{}, baseline{};
    LoadSettings(scratch, current, baseline, path);
    return current;
  }
  std::string ValidFile() {
    ProfileSet scratch{}, current{}, baseline{};
    LoadSettings(scratch, current, baseline, folder.File("none.ini"));
    current.Profile = 3;
    current.SpeedX = 5;
    for (auto& p : current.profiles) p.buttons[2].code = 6;
    WriteToFile(current, folder.File("valid.ini"));
    return testing_support::ReadFileBytes(folder.File("valid.ini"));
  }
  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
};

TEST_F(BadProfileTest, RandomBytes) {
  std::mt19937 random(1234);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(1 + random() % 8192, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    if (round % 2) bytes = "[Setting]\r\n" + bytes + "\r\n[GROUP0]\r\nButtonAssigned1=" + bytes;
    ExpectValid(LoadBytes(bytes), "random round " + std::to_string(round));
  }
}

TEST_F(BadProfileTest, TruncatedFiles) {
  const std::string valid = ValidFile();
  ASSERT_GT(valid.size(), 4000u);
  for (size_t cut : {size_t{0}, size_t{1}, size_t{17}, size_t{300}, valid.size() / 2,
                     valid.size() - 3}) {
    const ProfileSet r = LoadBytes(valid.substr(0, cut));
    ExpectValid(r, "cut at " + std::to_string(cut));
    if (cut > 300) {
      EXPECT_EQ(r.Profile, 3) << "the part before the cut still loads";
    }
  }
}

TEST_F(BadProfileTest, HugeNegativeAndNonNumericValues) {
  const char* values[] = {"99999999999", "-2147483649", "-1", "2147483647", "abc", "0x10",
                          "  12junk", "", "=", "1e9", "-0", "+5", "\x01\x02"};
  for (const char* v : values) {
    std::string text = "[Setting]\r\n";
    for (const char* key : {"Profile", "Buttons", "SpeedX", "SpeedY", "OFASensitivity",
                            "LedState", "AutoSaveEnable", "TrayEnabled", "XYSensitivityEnabled"})
      text += std::string(key) + "=" + v + "\r\n";
    text += "[GROUP1]\r\nButtonAssigned2=" + std::string(v) + "\r\n";
    ExpectValid(LoadBytes(text), std::string("value ") + v);
  }
}

TEST_F(BadProfileTest, ATenMegabyteFile) {
  std::string bytes = ValidFile();
  bytes.reserve(10 * 1024 * 1024 + 100);
  const std::string filler = "Padding=" + std::string(100, 'x') + "\r\n";
  bytes += "[Junk]\r\n";
  while (bytes.size() < 10 * 1024 * 1024) bytes += filler;
  bytes += "[Setting]\r\nLedState=77\r\n";
  const ProfileSet r = LoadBytes(bytes);
  ExpectValid(r, "10 MB");
  EXPECT_EQ(r.SpeedX, 5);
}

}  // namespace

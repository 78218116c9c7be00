// The real Glimmet.exe following the program in front: two test programs come to the front in
// turn, and the per-user profile file and the stand-in service show what the companion did.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/win_test_support.h"
#include "tray/rules_file.h"
#include "win32/file_system.h"

using namespace testing_support;

namespace {

constexpr UINT kReloadAll = 1279;
constexpr UINT kReloadSwitches = 1284;
// Longer than a poll, the settle time and a switch together, several times over: when a switch
// has not happened by then, none is coming.
constexpr DWORD kQuietMs = 2000;
constexpr DWORD kSwitchTimeoutMs = 10000;

const char kRules[] =
    "[ProgramProfiles]\r\nEnabled=1\r\nOtherPrograms=0\r\n"
    "[Rule1]\r\nProgram=photoedit.exe\r\nProfile=2\r\n"
    "[Rule2]\r\nProgram=RaceGame.exe\r\nProfile=5\r\n";

std::vector<UINT> ReloadsOf(StubService& service) {
  std::vector<UINT> reloads;
  for (UINT m : service.MessageIds())
    if (m == kReloadAll) reloads.push_back(m);
  return reloads;
}

// The per-user profile file, holding profile 1, and no rules file beside it; both are put back
// as they were afterwards.
class UserFiles {
 public:
  UserFiles() {
    DeleteFileA(rules_.Path().c_str());
    win::CreateParentFolders(profile_.Path());
    WriteFileBytes(profile_.Path(), "[Setting]\r\nProfile=0\r\n");
  }
  const std::string& Profile() const { return profile_.Path(); }
  void WriteRules(const std::string& text) const { WriteFileBytes(rules_.Path(), text); }

 private:
  ProfileFileGuard profile_;
  FileGuard rules_{tray::RulesPathBeside(profile_.Path())};
};

// A hidden window titled as the configuration program's main window.
class ConfigurationWindowStandIn {
 public:
  ConfigurationWindowStandIn()
      : hwnd_(CreateWindowExA(0, "STATIC", "Mouse Driver", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}
  ~ConfigurationWindowStandIn() { Close(); }
  void Close() {
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  bool Exists() const { return hwnd_ != nullptr; }

 private:
  HWND hwnd_;
};

class ProgramFollowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowA(nullptr, "MouseTrayIcon"), nullptr) << "a tray companion runs already";
    ASSERT_EQ(FindWindowA(nullptr, "Mouse Driver"), nullptr) << "a configuration program runs";
  }

  // The two test programs run already; RaceGame.exe is in front when the companion starts.
  void StartAll(const char* rules) {
    files_.WriteRules(rules);
    ASSERT_TRUE(service_.Running());
    ASSERT_NE(photo_.Window(), nullptr);
    ASSERT_NE(race_.Window(), nullptr);
    ASSERT_TRUE(race_.ComeForward());
    ASSERT_TRUE(folder_.Complete());
    ASSERT_TRUE(companion_.Start(folder_.File("Glimmet.exe")));
    tray_ = WaitForTrayWindow(companion_);
    ASSERT_NE(tray_, nullptr);
  }

  // Brings a program forward and waits for "Profile" to become `index` (or for a quiet while
  // when the index should stay); then compares the service's 1279 messages with `reloads`.
  void Forward(const ProbeProgram& program, const char* index, std::size_t reloads) {
    ASSERT_TRUE(program.ComeForward());
    WaitForProfile(index, reloads);
  }
  void WaitForProfile(const char* index, std::size_t reloads) {
    const bool changes = SettingText(files_.Profile(), "Profile") != index;
    if (changes) {
      // The file is written before the reload is posted: wait for the service to log it too.
      PumpUntil([&] {
        return SettingText(files_.Profile(), "Profile") == index && ReloadsOf(service_).size() >= reloads;
      }, kSwitchTimeoutMs);
    } else {
      testing_support::PumpMessages(kQuietMs);
    }
    EXPECT_EQ(SettingText(files_.Profile(), "Profile"), index);
    EXPECT_EQ(ReloadsOf(service_), std::vector<UINT>(reloads, kReloadAll));
  }

  void TearDown() override {
    if (tray_) SendMessageA(tray_, WM_COMMAND, 6006, 0);
    EXPECT_TRUE(companion_.WaitForExit(10000));
  }

  RegistryValueGuard registry_{HKEY_CURRENT_USER, kTrayKey, "CHTrayEnabled"};
  UserFiles files_;
  ProgramFolder folder_{kLanguage | kIcon};
  StubService service_{folder_.File("service.log"), files_.Profile()};
  ProbeProgram photo_{folder_, "photoedit.exe"};
  ProbeProgram race_{folder_, "RaceGame.exe"};
  ProgramJob companion_;
  HWND tray_ = nullptr;
};

TEST_F(ProgramFollowTest, TheProfileFollowsTheProgramInFrontOncePerRealChange) {
  StartAll(kRules);
  SCOPED_TRACE("the program in front at the start counts");
  WaitForProfile("4", 1);
  SCOPED_TRACE("photoedit.exe: profile 2");
  Forward(photo_, "1", 2);
  SCOPED_TRACE("RaceGame.exe: profile 5");
  Forward(race_, "4", 3);
  SCOPED_TRACE("quick changes settle on the last program, whose profile is stored already");
  ASSERT_TRUE(photo_.ComeForward());
  ASSERT_TRUE(race_.ComeForward());
  ASSERT_TRUE(photo_.ComeForward());
  Forward(race_, "4", 3);
  SCOPED_TRACE("the file is read afresh: photoedit.exe's profile was stored meanwhile");
  testing_support::WriteFileBytes(files_.Profile(), "[Setting]\r\nProfile=1\r\n");
  Forward(photo_, "1", 3);
  Forward(race_, "4", 4);

  SCOPED_TRACE("the flips toggle the companion's own file and post 1284 as before");
  for (WORD command : {WORD{6002}, WORD{6003}, WORD{6004}}) SendMessageA(tray_, WM_COMMAND, command, 0);
  for (const char* key : {"OFASensitivityEnabled", "OFASensitivityViewable", "UniversalScrollEnabled"}) {
    EXPECT_EQ(SettingText(folder_.Profile(), key), "1") << key;
    EXPECT_EQ(SettingText(files_.Profile(), key), "") << key;
  }
  const std::vector<UINT> expected = {kReloadAll, kReloadAll, kReloadAll, kReloadAll,
                                      kReloadSwitches, kReloadSwitches, kReloadSwitches};
  EXPECT_EQ(service_.MessageIds(), expected);
  EXPECT_EQ(SettingText(files_.Profile(), "Profile"), "4");
}

TEST_F(ProgramFollowTest, WhileTheConfigurationProgramRunsSwitchingWaitsAndResumesWhenItCloses) {
  StartAll(kRules);
  WaitForProfile("4", 1);
  ConfigurationWindowStandIn configuration;
  ASSERT_TRUE(configuration.Exists());
  Forward(photo_, "4", 1);
  configuration.Close();
  SCOPED_TRACE("closed: photoedit.exe is still in front and gets its profile");
  WaitForProfile("1", 2);
}

TEST_F(ProgramFollowTest, WithTheFeatureOffNothingSwitches) {
  std::string off = kRules;
  off.replace(off.find("Enabled=1"), 9, "Enabled=0");
  StartAll(off.c_str());
  Forward(photo_, "0", 0);
  Forward(race_, "0", 0);
  EXPECT_EQ(service_.MessageIds(), std::vector<UINT>{});
}

}  // namespace

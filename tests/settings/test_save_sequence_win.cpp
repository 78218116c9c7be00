// The save sequence against the device service stand-in: what is written and what is told.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/device_service.h"
#include "settings/settings_store.h"
#include "support/win_test_support.h"
#include "win32/file_system.h"
#include "win32/raii.h"

using namespace settings;
using testing_support::ServiceMessage;
using testing_support::StubService;

namespace {

std::vector<UINT> Numbers(const std::vector<ServiceMessage>& log) {
  std::vector<UINT> numbers;
  for (const ServiceMessage& m : log) numbers.push_back(m.message);
  return numbers;
}

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hive.Active());
    paths = {folder.File("RerirUv.ini"), folder.File("RerirUv.conf")};
    Reload();
  }
  void Reload() { LoadSettings(scratch, current, baseline, paths.profile); }
  // A first save makes the stored state consistent (acceleration off stores row 0).
  void SaveOnce() {
    current.SpeedY = 1;
    SaveSettings(baseline, current, paths);
    Reload();
  }

  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
  ProfilePaths paths;
  ProfileSet scratch{}, current{}, baseline{};
};

TEST_F(SaveTest, AChangedButtonSendsProfileDataThenReloadAfterThePause) {
  StubService service(folder.File("service.log"), paths.profile);
  ASSERT_TRUE(service.Running());
  SaveOnce();
  const size_t before = service.Messages().size();
  current.profiles[0].buttons[3].code = 10;
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, ProfileDataChanged);

  std::vector<ServiceMessage> log = service.Messages();
  log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(before));
  ASSERT_EQ(Numbers(log), (std::vector<UINT>{kServiceReloadProfiles, kServiceReloadAll}));
  EXPECT_GE(log[1].ms - log[0].ms, kProfileDataPauseMs);
  const std::string file = testing_support::ReadFileBytes(paths.profile);
  const std::string complete = " profile=" + std::to_string(file.size()) + ",6";
  EXPECT_EQ(log[0].extra, complete) << "the file was complete when the service was told";
  EXPECT_EQ(log[1].extra, complete);
  EXPECT_EQ(log[0].wParam, 0u);
  EXPECT_EQ(log[0].lParam, 0);
}

TEST_F(SaveTest, SpeedXAlonePostsGeneralThenSendsReload) {
  StubService service(folder.File("service.log"), paths.profile);
  SaveOnce();
  const size_t before = service.Messages().size();
  current.SpeedX = 3;
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, GeneralChanged);
  std::vector<ServiceMessage> log = service.Messages();
  log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(Numbers(log), (std::vector<UINT>{kServiceReloadGeneral, kServiceReloadAll}));
}

TEST_F(SaveTest, TheFirstSaveAnnouncesEverythingThatDiffersFromWhatIsStored) {
  StubService service(folder.File("service.log"), paths.profile);
  current.SpeedY = 1;
  current.profiles[2].buttons[0].code = 4;
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, GeneralChanged | ProfileDataChanged);
  EXPECT_EQ(Numbers(service.Messages()),
            (std::vector<UINT>{kServiceReloadGeneral, kServiceReloadProfiles, kServiceReloadAll}));
}

TEST_F(SaveTest, SavingRightAfterLoadingWritesAndSendsNothing) {
  StubService service(folder.File("service.log"), paths.profile);
  SaveOnce();
  const size_t before = service.Messages().size();
  const std::string bytes = testing_support::ReadFileBytes(paths.profile);
  const FILETIME written = testing_support::LastWriteTime(paths.profile);
  Sleep(50);
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, NoChange);
  EXPECT_EQ(testing_support::ReadFileBytes(paths.profile), bytes);
  const FILETIME after = testing_support::LastWriteTime(paths.profile);
  EXPECT_EQ(0, CompareFileTime(&written, &after));
  EXPECT_EQ(service.Messages().size(), before);
}

TEST_F(SaveTest, SwitchingOnlyTheProfileWritesTheFileAndSetsOnlyProfileSwitched) {
  StubService service(folder.File("service.log"), paths.profile);
  SaveOnce();
  const size_t before = service.Messages().size();
  current.Profile = 2;
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, ProfileSwitched);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "Profile", -1, paths.profile.c_str()), 2);
  std::vector<ServiceMessage> log = service.Messages();
  ASSERT_EQ(log.size(), before + 1);
  EXPECT_EQ(log.back().message, kServiceReloadAll);
}

TEST_F(SaveTest, AutoSaveKeepsAByteIdenticalConfCopy) {
  current.AutoSaveEnable = 1;
  current.SpeedX = 2;
  SaveSettings(baseline, current, paths);
  EXPECT_EQ(testing_support::ReadFileBytes(paths.conf), testing_support::ReadFileBytes(paths.profile));
  current.profiles[1].buttons[1].code = 7;
  SaveSettings(baseline, current, paths);
  const std::string ini = testing_support::ReadFileBytes(paths.profile);
  EXPECT_GT(ini.size(), 1000u);
  EXPECT_EQ(testing_support::ReadFileBytes(paths.conf), ini);

  current.AutoSaveEnable = 0;
  current.SpeedX = 9;
  SaveSettings(baseline, current, paths);
  EXPECT_NE(testing_support::ReadFileBytes(paths.conf), testing_support::ReadFileBytes(paths.profile))
      << "without auto-save the copy stays as it was";
}

TEST_F(SaveTest, WithoutTheServiceTheFileIsWrittenAndThePauseStillHappens) {
  ASSERT_EQ(FindServiceWindow(), nullptr);
  current.profiles[4].buttons[8].code = 7;
  const DWORD start = GetTickCount();
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, ProfileDataChanged);
  EXPECT_GE(GetTickCount() - start, kProfileDataPauseMs);
  Reload();
  EXPECT_EQ(current.profiles[4].buttons[8].code, 7);
}

TEST_F(SaveTest, AFirstSaveOnANewMachineCreatesTheProfileFolder) {
  paths.profile = folder.Path() + "\\USB Optical Mouse\\Mouse\\RerirUv.ini";
  paths.conf = folder.Path() + "\\USB Optical Mouse\\Mouse\\RerirUv.conf";
  Reload();
  current.AutoSaveEnable = 1;
  current.LedState = 1;
  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, GeneralChanged | LedChanged);
  Reload();
  EXPECT_EQ(current.LedState, 1);
  EXPECT_EQ(testing_support::ReadFileBytes(paths.conf), testing_support::ReadFileBytes(paths.profile));
}

// A profile file that another program holds open: the old file stays byte for byte, the
// service hears nothing, the result names the file and why, and the change stays pending, so
// that the next save after the file is let go writes it. (A full disk and a file where the
// folder should be are the journey's, which also shows the box.)
TEST_F(SaveTest, AFailedSaveKeepsTheOldFileAndTheChangeForTheNextSave) {
  StubService service(folder.File("service.log"), paths.profile);
  SaveOnce();
  const std::string old = testing_support::ReadFileBytes(paths.profile);
  const size_t heard = service.Messages().size();
  current.SpeedX = 4;
  const ProfileSet before = baseline;
  win::FileHandle held(
      CreateFileA(paths.profile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  const SaveResult failed = SaveSettings(baseline, current, paths);
  held.Reset();
  EXPECT_EQ(failed.changes, NoChange);
  EXPECT_EQ(failed.file.fault, win::FileFault::InUse);
  EXPECT_EQ(failed.file.path, paths.profile);
  EXPECT_EQ(testing_support::ReadFileBytes(paths.profile), old);
  EXPECT_FALSE(win::FileExists(win::TemporaryPathOf(paths.profile)));
  EXPECT_EQ(service.Messages().size(), heard) << "the service is told nothing";
  EXPECT_EQ(0, std::memcmp(&baseline, &before, sizeof before)) << "the change is still pending";

  EXPECT_EQ(SaveSettings(baseline, current, paths).changes, GeneralChanged);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "SpeedX", -1, paths.profile.c_str()), 4);
  EXPECT_EQ(service.Messages().size(), heard + 2);
}

}  // namespace

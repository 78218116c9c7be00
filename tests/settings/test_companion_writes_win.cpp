// Two programs, one profile file: the companion switches the profile from a process of its own
// while this one writes whole records, as a save does.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "support/win_test_support.h"

using namespace settings;

namespace {

// The 45 records as the file holds them now; false when one cannot be read.
bool StoredRecords(const std::string& path, ProfileData (&profiles)[kProfileCount]) {
  win::IniDocument file = ReadProfileDocument(path);
  for (int p = 0; p < kProfileCount; ++p) {
    for (int b = 0; b < kButtonCount; ++b) {
      const std::string section = "GROUP" + std::to_string(p);
      const std::string key = "ButtonAssigned" + std::to_string(b + 1);
      if (!file.ReadStruct(section.c_str(), key.c_str(), &profiles[p].buttons[b], sizeof(ButtonAssignment)))
        return false;
    }
  }
  return true;
}

bool SameRecords(const ProfileData (&a)[kProfileCount], const ProfileSet& b) {
  for (int p = 0; p < kProfileCount; ++p)
    if (std::memcmp(a[p].buttons, b.profiles[p].buttons, sizeof a[p].buttons) != 0) return false;
  return true;
}

// Every write of this process is read back whole and as written: a switch that read the file
// before a write and wrote after it would bring the older records back.
TEST(CompanionWrites, SwitchesWhileTheProgramWritesNeverLoseOrMixAWrite) {
  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
  const std::string path = folder.File("RerirUv.ini");
  ProfileSet records[2]{};
  for (int k = 0; k < 2; ++k) {
    SetDefaults(records[k]);
    Normalise(records[k], records[k]);
    for (ProfileData& profile : records[k].profiles)
      for (ButtonAssignment& button : profile.buttons) button.code = static_cast<std::uint8_t>(k ? 7 : 9);
  }
  ASSERT_TRUE(WriteToFile(records[0], path).Ok());

  constexpr int kSwitches = 200;
  PROCESS_INFORMATION probe{};
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = "\"" + testing_support::TestProgramFolder() + "SwitchProbe.exe\" \"" + path +
                     "\" " + std::to_string(kSwitches);
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &probe));
  int writes = 0, mixed = 0;
  while (writes < kSwitches || WaitForSingleObject(probe.hProcess, 0) == WAIT_TIMEOUT) {
    const ProfileSet& record = records[writes++ % 2];
    ASSERT_TRUE(WriteToFile(record, path).Ok());
    ProfileData stored[kProfileCount];
    if (!StoredRecords(path, stored) || !SameRecords(stored, record)) ++mixed;
  }
  DWORD failedSwitches = 99;
  GetExitCodeProcess(probe.hProcess, &failedSwitches);
  CloseHandle(probe.hProcess);
  CloseHandle(probe.hThread);
  EXPECT_EQ(failedSwitches, 0u);
  EXPECT_EQ(mixed, 0) << "of " << writes << " writes";
  ProfileData stored[kProfileCount];
  ASSERT_TRUE(StoredRecords(path, stored));
  EXPECT_TRUE(SameRecords(stored, records[(writes - 1) % 2]));
  std::printf("%d writes beside %d switches, %d lost or mixed\n", writes, kSwitches, mixed);
}

}  // namespace

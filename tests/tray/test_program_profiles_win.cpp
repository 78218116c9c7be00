// Automatic profiles in this process: the follower told by the foreground hook alone, the program
// profiles dialog driven click by click, and the tray window opening it from its menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/message_sequence.h"
#include "support/modal_answer.h"
#include "support/win_test_support.h"
#include "tray/profile_follower.h"
#include "tray/program_profiles_dialog.h"
#include "tray/rules_file.h"
#include "tray/tray_ids.h"
#include "tray/tray_window.h"

using namespace testing_support;

namespace {

tray::ProgramRules PhotoRule(bool enabled) {
  tray::ProgramRules rules;
  rules.enabled = enabled;
  rules.rules = {{"photoedit.exe", 2}};
  return rules;
}

TEST(ProfileFollowerTest, TheForegroundHookAloneReportsEachProgramThatComesToTheFront) {
  ProgramFolder folder(0);
  ProbeProgram photo(folder, "photoedit.exe");
  ProbeProgram race(folder, "RaceGame.exe");
  ASSERT_NE(photo.Window(), nullptr);
  ASSERT_NE(race.Window(), nullptr);
  TempFolder user;
  const std::string profile = user.File("RerirUv.ini");
  ASSERT_TRUE(WriteFileBytes(profile, "[Setting]\r\nProfile=0\r\n"));

  RecorderWindow notify({tray::kProfileFollowedMessage});
  tray::ProfileFollower follower(tray::FollowSetup{profile, 300, 250, /*pollForeground=*/false});
  ASSERT_TRUE(follower.Create(notify.Handle()));
  tray::ProgramRules rules = PhotoRule(true);
  rules.rules.push_back({"RaceGame.exe", 5});
  ASSERT_TRUE(race.ComeForward());
  follower.SetRules(rules);  // the program in front now counts
  auto followed = [&](std::size_t count) {
    return PumpUntil([&] { return notify.Messages().size() >= count; }, 10000);
  };
  ASSERT_TRUE(followed(1));
  ASSERT_TRUE(photo.ComeForward());
  ASSERT_TRUE(followed(2)) << "the hook did not report photoedit.exe";
  ASSERT_TRUE(race.ComeForward());
  ASSERT_TRUE(followed(3)) << "the hook did not report RaceGame.exe";
  EXPECT_SEQUENCE(notify.Messages(), {{tray::kProfileFollowedMessage, kCheckWParam, 5},
                                      {tray::kProfileFollowedMessage, kCheckWParam, 2},
                                      {tray::kProfileFollowedMessage, kCheckWParam, 5}});
  EXPECT_EQ(SettingText(profile, "Profile"), "4");

  follower.SetRules(PhotoRule(false));  // off: the hook is gone, nothing follows
  ASSERT_TRUE(photo.ComeForward());
  testing_support::PumpMessages(1500);
  EXPECT_EQ(notify.Messages().size(), 3u);
  EXPECT_EQ(SettingText(profile, "Profile"), "4");
  follower.Destroy();
}

// One click in the dialog and what the dialog shows afterwards.
struct DialogStep {
  const char* what;
  int control;      // a skin index to click, or -1 for a click on row `row` of the list
  int row;
  int selected;     // the selected rule afterwards
  int latchedTile;  // the selected rule's profile shown by the tiles (0: none)
};

class ProgramProfilesDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.Complete()); }

  static void Click(const tray::ProgramProfilesDialog& dialog, const DialogStep& step) {
    if (step.control >= 0) {
      SendMessageA(dialog.Control(step.control), BM_CLICK, 0, 0);
      return;
    }
    const RECT row = dialog.List().RowRect(step.row);
    SendMessageA(dialog.Control(tray::kProfilesList), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(row.left + 10, row.top + 5));
  }

  static int LatchedTile(const tray::ProgramProfilesDialog& dialog) {
    int latched = 0;
    for (int profile = 1; profile <= 5; ++profile) {
      HWND tile = dialog.Control(tray::kProfilesRuleFirst + profile - 1);
      auto* button = win::WindowFrom<skin::SkinButton>(tile);
      if (button && button->Latched()) latched = latched ? -1 : profile;
    }
    return latched;
  }

  ProgramFolder folder_{0};
};

TEST_F(ProgramProfilesDialogTest, EveryControlEditsTheRulesAndOkGivesThemBack) {
  ProbeProgram photo(folder_, "photoedit.exe");
  ProbeProgram race(folder_, "RaceGame.exe");
  std::vector<std::string> offered;
  tray::ProgramChoosers choosers{
      [&](HWND, const std::vector<std::string>& programs, POINT) {
        offered = programs;
        const auto race = std::find(programs.begin(), programs.end(), "RaceGame.exe");
        return race == programs.end() ? -1 : static_cast<int>(race - programs.begin());
      },
      [](HWND) { return std::string("C:\\Apps\\Writer.EXE"); }};
  tray::ProgramProfilesDialog dialog(nullptr, DefaultSkinFolder(),
                                     PhotoRule(false), choosers);
  static const DialogStep kSteps[] = {
      {"add a running program", tray::kProfilesAddRunning, 0, 1, 1},
      {"its profile: 5", tray::kProfilesRuleFirst + 4, 0, 1, 5},
      {"browse for a program file", tray::kProfilesBrowse, 0, 2, 1},
      {"the first row", -1, 0, 0, 2},
      {"remove it", tray::kProfilesRemove, 0, 0, 5},
      {"profile 3 for the others", tray::kProfilesOtherFirst + 2, 0, 0, 5},
      {"switched on", tray::kProfilesSwitch, 0, 0, 5},
      {"the same file again selects its rule", tray::kProfilesBrowse, 0, 1, 1},
  };
  testing_support::ModalAnswer answer([&](HWND) {
    EXPECT_EQ(dialog.SelectedRule(), 0);
    EXPECT_EQ(LatchedTile(dialog), 2);
    for (const DialogStep& step : kSteps) {
      SCOPED_TRACE(step.what);
      Click(dialog, step);
      EXPECT_EQ(dialog.SelectedRule(), step.selected);
      EXPECT_EQ(LatchedTile(dialog), step.latchedTile);
    }
    SendMessageA(dialog.Control(tray::kProfilesOk), BM_CLICK, 0, 0);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(answer.Answered(), 1);

  tray::ProgramRules expected;
  expected.enabled = true;
  expected.otherPrograms = 3;
  expected.rules = {{"RaceGame.exe", 5}, {"Writer.EXE", 1}};
  EXPECT_EQ(dialog.Rules(), expected);
  EXPECT_NE(std::find(offered.begin(), offered.end(), "photoedit.exe"), offered.end());
  for (const std::string& program : offered) {
    EXPECT_FALSE(tray::SameProgram(program, "test_tray_win.exe")) << "our own process is offered";
  }
}

// The tray window opens the dialog from its menu; OK writes the rules file and follows the rules,
// Cancel leaves both as they were.
TEST(TrayProgramProfilesTest, OkWritesTheRulesFileAndTheTipShowsTheProfileCancelKeepsAll) {
  testing_support::ScratchUserHive hive;
  ASSERT_TRUE(hive.Active());
  TempFolder user;
  const tray::FollowFiles files{user.File("RerirUv.ini"), user.File("ProgramProfiles.ini")};
  ASSERT_TRUE(WriteFileBytes(files.profile, "[Setting]\r\nProfile=2\r\n"));
  ASSERT_TRUE(WriteFileBytes(files.rules, "[Rule1]\r\nProgram=photoedit.exe\r\nProfile=2\r\n"));
  const std::string before = ReadFileBytes(files.rules);

  // The build's skin folder stands for the program folder: the dialog finds its skin there.
  tray::TrayWindow window(
      testing_support::ProgramFolderOfBuild() + "..\\skin",
      [](HWND owner, HMENU, POINT) { PostMessageA(owner, WM_COMMAND, tray::kCommandProgramProfiles, 0); },
      files);
  ASSERT_TRUE(window.Create());
  EXPECT_STREQ(window.IconRecord().szTip, L"USB Optical Mouse Driver \u2013 Profile 3");

  tray::ProgramRules edited = PhotoRule(true);
  edited.rules[0].profile = 4;
  edited.showNotice = false;
  for (int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
    testing_support::ModalAnswer clicks([&](HWND dialog) {
      auto* profiles = win::WindowFrom<tray::ProgramProfilesDialog>(dialog);
      ASSERT_NE(profiles, nullptr);
      EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar button";
      SendMessageA(profiles->Control(tray::kProfilesNotice), BM_CLICK, 0, 0);
      SendMessageA(profiles->Control(tray::kProfilesSwitch), BM_CLICK, 0, 0);
      SendMessageA(profiles->Control(tray::kProfilesRuleFirst + 3), BM_CLICK, 0, 0);
      SendMessageA(profiles->Control(answer == IDOK ? tray::kProfilesOk : tray::kProfilesCancel),
                   BM_CLICK, 0, 0);
    });
    SendMessageA(window.Handle(), tray::kTrayCallbackMessage, 128, WM_RBUTTONDOWN);
    testing_support::PumpMessages(300);
    EXPECT_EQ(clicks.Answered(), 1);
    const bool kept = answer == IDOK;
    EXPECT_EQ(window.FollowedRules(), kept ? edited : PhotoRule(false));
    EXPECT_EQ(ReadFileBytes(files.rules) == before, !kept);
    EXPECT_EQ(tray::ReadRulesFile(files.rules), kept ? edited : PhotoRule(false));
  }
  SendMessageA(window.Handle(), WM_COMMAND, tray::kCommandExit, 0);
  testing_support::PumpMessages(50);
}

}  // namespace

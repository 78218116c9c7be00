// The profile switch dialog on the default skin, run modally and answered through its buttons,
// its keys and, once, real mouse input: what it shows, what it writes and what it asks for.
#include <gtest/gtest.h>

#include <cstring>

#include "panels/panel_messages.h"
#include "panels/profile_switch_dialog.h"
#include "panels_test_support.h"
#include "settings/device_service.h"
#include "settings/settings_session.h"
#include "support/message_sequence.h"
#include "support/win_test_support.h"
#include "win32/raii.h"
#include "skin/skin_picture.h"

namespace {

using panels::ProfileSwitchDialog;
using panelstest::ClickControl;
using panelstest::ModalScript;
using settings::ButtonAssignment;
using settings::ProfileSet;
using testing_support::kCheckLParam;

// The entries whose buttons show latched, as "6 8" (entries 1 to 10).
std::string LatchedEntries(ProfileSwitchDialog& dialog) {
  std::string entries;
  for (int entry = panels::kSwitchNextProfile; entry <= panels::kSwitchProfile5; ++entry) {
    if (!dialog.Button(static_cast<panels::ProfileSwitchButton>(entry)).Latched()) continue;
    entries += (entries.empty() ? "" : " ") + std::to_string(entry);
  }
  return entries;
}

// A script step on the dialog itself: notes what it shows, then clicks an entry.
ModalScript::Step Click(ProfileSwitchDialog& dialog, int entry, std::string* shown = nullptr) {
  return [&dialog, entry, shown](HWND front) {
    if (front != dialog.Handle()) return false;
    if (shown) *shown = LatchedEntries(dialog);
    ClickControl(front, entry);
    return true;
  };
}

class ProfileSwitchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hive.Active());
    session.Reload();
    session.Current().Profile = 2;
  }
  ButtonAssignment& Record(int buttonIndex) {
    ProfileSet& record = session.Current();
    return *settings::RecordOf(record, record.Profile, buttonIndex);
  }
  bool Unchanged(const ProfileSet& before) {
    return std::memcmp(&before, &session.Current(), sizeof before) == 0;
  }

  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
  testing_support::RecorderWindow main;  // stands in for the main window
  settings::SettingsSession session{{folder.File("RerirUv.ini"), folder.File("RerirUv.conf")}};
};

TEST_F(ProfileSwitchDialogTest, OpenedOnCode20ItLatchesProfile3AndOkWrites20WithAnEmptyList) {
  ButtonAssignment macro = panelstest::MacroRecord(4, 20, 5);
  macro.macroOption = 0;
  Record(3) = macro;
  ProfileSet expected = session.Current();
  ButtonAssignment& written = expected.profiles[2].buttons[3];
  written.eventCount = 0;
  std::memset(written.events, 0, sizeof written.events);

  ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 3);
  std::string shown;
  ModalScript script({Click(dialog, panels::kSwitchOk, &shown)});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(shown, "8");
  EXPECT_TRUE(Unchanged(expected)) << "code 20, no events, button number and macro option kept";
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "the caller saves after OK, not the dialog";
}

TEST_F(ProfileSwitchDialogTest, StepCodesLatchNothingAndCancelWritesNothing) {
  Record(0).code = 20;
  const ProfileSet before = session.Current();
  ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 0);
  std::string first, afterNext, afterProfile2;
  ModalScript script({Click(dialog, panels::kSwitchNextProfile, &first),
                      Click(dialog, panels::kSwitchProfile1 + 1, &afterNext),
                      Click(dialog, panels::kSwitchCancel, &afterProfile2)});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(first, "8");
  EXPECT_EQ(afterNext, "");
  EXPECT_EQ(afterProfile2, "7");
  EXPECT_EQ(dialog.SelectedCode(), 19);
  EXPECT_TRUE(Unchanged(before));
}

TEST_F(ProfileSwitchDialogTest, ApplyThenCancelKeepsTheCodeAndAsksForOneSave) {
  int saves = 0, codeWhenSaved = 0;
  ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 1, [&] {
    ++saves;
    codeWhenSaved = Record(1).code;
  });
  ModalScript script({Click(dialog, panels::kSwitchProfile1 + 3), Click(dialog, panels::kSwitchApply),
                      Click(dialog, panels::kSwitchCancel)});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(Record(1).code, 21);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(codeWhenSaved, 21) << "the choice is in the record before the save";
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "the save is called, not asked for by a message";
}

TEST_F(ProfileSwitchDialogTest, EscAndEnterDoNotEndIt) {
  Record(2).code = 20;
  ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 2);
  ModalScript script({
      [&](HWND front) {
        if (front != dialog.Handle()) return false;
        for (HWND target : {front, dialog.Button(panels::kSwitchOk).Handle()})
          for (WPARAM key : {VK_ESCAPE, VK_RETURN}) PostMessageA(target, WM_KEYDOWN, key, 0);
        return true;
      },
      Click(dialog, panels::kSwitchProfile1),
      Click(dialog, panels::kSwitchOk),
  });
  // Esc would end it with IDCANCEL, Enter with IDOK before profile 1 was chosen.
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Record(2).code, 18);
}

// A button that holds a macro keeps it until a profile function is really chosen.
TEST_F(ProfileSwitchDialogTest, WithoutAChoiceOkAndApplyLeaveAMacroAlone) {
  Record(5) = panelstest::MacroRecord(6, 6, 7);
  const ProfileSet before = session.Current();
  const long gdiOwners = skin::HeldGdiObjects();
  {
    ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 5);
    std::string shown = "?";
    ModalScript script({Click(dialog, panels::kSwitchOk, &shown)});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "");
  }
  {
    ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 5);
    ModalScript script({Click(dialog, panels::kSwitchApply), Click(dialog, panels::kSwitchCancel)});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }
  EXPECT_TRUE(Unchanged(before));
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "no save asked for";
  {
    ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 5);
    ModalScript script({Click(dialog, panels::kSwitchProfile5), Click(dialog, panels::kSwitchOk)});
    EXPECT_EQ(dialog.DoModal(), IDOK);
  }
  EXPECT_EQ(Record(5).code, 22);
  EXPECT_EQ(Record(5).eventCount, 0);
  EXPECT_EQ(skin::HeldGdiObjects(), gdiOwners) << "three runs leave nothing behind";
}

// Real clicks under Xvfb on profile 3 and OK; then the save that OK asks the caller for.
TEST_F(ProfileSwitchDialogTest, RealClicksOnProfile3AndOkGiveCode20AndTheServiceReloads) {
  if (GetFileAttributesA("Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "xdotool is not installed";
  testing_support::StubService service(folder.File("service.log"), session.Paths().profile);
  ASSERT_TRUE(service.Running());
  session.Current().Profile = 0;
  ProfileSwitchDialog dialog(main.Handle(), testing_support::DefaultSkinFolder(), session, 7);
  bool started = false;
  ModalScript script({[&](HWND front) {
    if (front != dialog.Handle()) return false;
    RECT window{};
    GetWindowRect(front, &window);  // the dialog stands at the screen's top-left corner
    const POINT profile3 = panelstest::Centre(panelstest::SkinRect("skin_profile_set.ini", "BUTTONPOS", 8));
    const POINT ok = panelstest::Centre(panelstest::SkinRect("skin_profile_set.ini", "BUTTONPOS", 3));
    started = panelstest::RunXdotool(
        "mousemove " + std::to_string(window.left + profile3.x) + " " + std::to_string(window.top + profile3.y) +
        " click 1 sleep 0.3 mousemove " + std::to_string(window.left + ok.x) + " " +
        std::to_string(window.top + ok.y) + " click 1");
    return true;
  }});
  const INT_PTR result = dialog.DoModal();
  ASSERT_TRUE(started);
  ASSERT_EQ(result, IDOK);
  session.Save();  // what the main window does after OK
  EXPECT_EQ(Record(7).code, 20);
  ButtonAssignment stored{};
  ASSERT_TRUE(GetPrivateProfileStructA("GROUP0", "ButtonAssigned8", &stored, sizeof stored,
                                       session.Paths().profile.c_str()));
  EXPECT_EQ(stored.code, 20);
  const std::vector<testing_support::ServiceMessage> log = service.Messages();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().message, settings::kServiceReloadAll);
}

}  // namespace

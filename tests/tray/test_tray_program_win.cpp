// The real Glimmet.exe under Wine: started from a scratch folder, driven by its commands and
// tray callbacks, checked through the registry, its profile file and the stand-in service.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "support/win_test_support.h"

using namespace testing_support;

namespace {

constexpr UINT kTrayCallback = WM_USER + 1001;

void Command(HWND tray, WORD id) { SendMessageA(tray, WM_COMMAND, id, 0); }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Answers the open tray menu from the keyboard: `downs` steps from no selection, then Enter.
bool ChooseFromMenu(DWORD processId, int downs) {
  HWND menu = WaitForMenuOf(processId, 10000);
  if (!menu) return false;
  for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

class TrayProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowA(nullptr, "MouseTrayIcon"), nullptr) << "a tray companion runs already";
    ASSERT_EQ(FindWindowA(nullptr, "Mouse Driver"), nullptr) << "a configuration program runs";
  }

  // Starts the companion of `folder` and waits for its window.
  HWND Start(const ProgramFolder& folder, ProgramJob& job) {
    EXPECT_TRUE(folder.Complete());
    if (!job.Start(folder.File("Glimmet.exe"))) return nullptr;
    return WaitForTrayWindow(job);
  }

  RegistryValueGuard registry_{HKEY_CURRENT_USER, kTrayKey, "CHTrayEnabled"};
};

// Wine's shell forgets the icons of ended programs by itself, so that the icon's removal is
// checked in-process, from inside the window's destruction (test_tray_window_win.cpp).
TEST_F(TrayProgramTest, StartWritesTrayDisabledAndTheExitCommandKeepsIt) {
  SetTrayEnabled(1);
  ProgramFolder folder(kLanguage | kIcon);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(TrayEnabled(), 0u);
  EXPECT_TRUE(TrayIconPresent(tray));
  EXPECT_FALSE(IsWindowVisible(tray));

  Command(tray, 6006);
  ASSERT_TRUE(job.WaitForExit(10000));
  EXPECT_EQ(TrayEnabled(), 0u);
}

TEST_F(TrayProgramTest, HideAndExitLeavesTrayEnabledOne) {
  ProgramFolder folder(kLanguage | kIcon);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(TrayEnabled(), 0u);

  Command(tray, 6005);
  ASSERT_TRUE(job.WaitForExit(10000));
  EXPECT_EQ(TrayEnabled(), 1u);
}

TEST_F(TrayProgramTest, SecondStartEndsAtOnceAndLeavesOneWindowAndOneIcon) {
  ProgramFolder folder(kLanguage | kIcon);
  ProgramJob first;
  HWND tray = Start(folder, first);
  ASSERT_NE(tray, nullptr);

  ProgramJob second;
  ASSERT_TRUE(second.Start(folder.File("Glimmet.exe")));
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_FALSE(first.WaitForExit(0));
  EXPECT_EQ(CountWindowsTitled("MouseTrayIcon"), 1);
  EXPECT_TRUE(TrayIconPresent(tray));
  Command(tray, 6006);
  EXPECT_TRUE(first.WaitForExit(10000));
}

TEST_F(TrayProgramTest, EachFlipTogglesItsOwnSwitchAndPostsOneReload) {
  static const struct {
    WORD command;
    const char* key;
  } kFlips[] = {
      {6002, "OFASensitivityEnabled"},
      {6003, "OFASensitivityViewable"},
      {6004, "UniversalScrollEnabled"},
  };
  for (const auto& flip : kFlips) {
    SCOPED_TRACE(flip.key);
    ProgramFolder folder(kLanguage);
    StubService service(folder.File("service.log"));
    ASSERT_TRUE(service.Running());
    ProgramJob job;
    HWND tray = Start(folder, job);
    ASSERT_NE(tray, nullptr);

    Command(tray, flip.command);  // absent counts as off
    EXPECT_EQ(SettingText(folder.Profile(), flip.key), "1");
    EXPECT_EQ(service.MessageIds(), std::vector<UINT>{1284});
    for (const auto& other : kFlips) {
      if (other.command != flip.command) {
        EXPECT_EQ(SettingText(folder.Profile(), other.key), "");
      }
    }

    Command(tray, flip.command);
    EXPECT_EQ(SettingText(folder.Profile(), flip.key), "0");
    EXPECT_EQ(service.MessageIds(), (std::vector<UINT>{1284, 1284}));

    // Only 1 is on: any other value is switched on, not off.
    std::string five = "[Setting]\r\n";
    five.append(flip.key).append("=5\r\n");
    ASSERT_TRUE(WriteFileBytes(folder.Profile(), five));
    Command(tray, flip.command);
    EXPECT_EQ(SettingText(folder.Profile(), flip.key), "1");
    EXPECT_EQ(service.MessageIds(), (std::vector<UINT>{1284, 1284, 1284}));
    Command(tray, 6006);
    EXPECT_TRUE(job.WaitForExit(10000));
  }
}

TEST_F(TrayProgramTest, FlipWithoutServiceStillWritesTheFile) {
  ASSERT_EQ(FindWindowA(nullptr, "MouseHid"), nullptr);
  ProgramFolder folder(0);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  Command(tray, 6002);
  EXPECT_EQ(SettingText(folder.Profile(), "OFASensitivityEnabled"), "1");
  Command(tray, 6002);
  EXPECT_EQ(SettingText(folder.Profile(), "OFASensitivityEnabled"), "0");
  EXPECT_FALSE(job.WaitForExit(0));
  Command(tray, 6006);
  EXPECT_TRUE(job.WaitForExit(10000));
}

TEST_F(TrayProgramTest, DoubleClickRestoresTheMinimisedConfigurationProgramAndStartsNone) {
  ProgramFolder running(kConfiguration, "Pointwick.exe");
  ProgramJob configurationJob;
  ASSERT_TRUE(configurationJob.Start(running.File("Pointwick.exe")));
  HWND main = WaitForWindow("Mouse Driver", 30000, configurationJob.ProcessId());
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main));

  ProgramFolder folder(kLanguage | kIcon | kConfiguration);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  PostMessageA(tray, kTrayCallback, 128, WM_LBUTTONDBLCLK);
  SendMessageA(tray, WM_NULL, 0, 0);
  for (int i = 0; i < 100 && IsIconic(main); ++i) Sleep(50);
  EXPECT_FALSE(IsIconic(main));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetForegroundWindow(), main);

  Sleep(1000);  // time for a wrongly started copy to show up in the job
  EXPECT_EQ(job.ProcessesEverRun(), 1u);
  EXPECT_EQ(CountWindowsTitled("Mouse Driver"), 1);
}

TEST_F(TrayProgramTest, DoubleClickStartsTheConfigurationProgramOfItsFolderOnce) {
  ProgramFolder folder(kLanguage | kIcon | kConfiguration);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  ASSERT_EQ(job.ProcessesEverRun(), 1u);

  PostMessageA(tray, kTrayCallback, 128, WM_LBUTTONDBLCLK);
  HWND main = WaitForWindow("Mouse Driver", 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Lower(ImageOfWindow(main)), Lower(folder.File("Pointwick.exe")));
  EXPECT_EQ(job.ProcessesEverRun(), 2u);

  // Running now: the open command brings it forward instead of starting another.
  Command(tray, 6001);
  Sleep(1000);
  EXPECT_EQ(job.ProcessesEverRun(), 2u);
  EXPECT_EQ(CountWindowsTitled("Mouse Driver"), 1);
  PostMessageA(main, WM_CLOSE, 0, 0);
}

TEST_F(TrayProgramTest, RightClickMenuChosenFromTheKeyboardRunsItsCommand) {
  ProgramFolder folder(kLanguage | kIcon);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);

  PostMessageA(tray, kTrayCallback, 128, WM_RBUTTONDOWN);
  HWND menu = WaitForMenuOf(job.ProcessId(), 10000);
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  for (int i = 0; i < 100 && IsWindowVisible(menu); ++i) Sleep(50);
  EXPECT_FALSE(IsWindowVisible(menu));
  EXPECT_FALSE(job.WaitForExit(500));

  // Open again: the separators are skipped, so eight steps (past the five profiles) reach 6005.
  PostMessageA(tray, kTrayCallback, 128, WM_RBUTTONDOWN);
  ASSERT_TRUE(ChooseFromMenu(job.ProcessId(), 8));
  ASSERT_TRUE(job.WaitForExit(10000));
  EXPECT_EQ(TrayEnabled(), 1u);
}

TEST_F(TrayProgramTest, WithoutLanguageLibraryAndIconTheEntryAndTheCommandsStillWork) {
  SetTrayEnabled(1);
  ProgramFolder folder(0);
  ProgramJob job;
  HWND tray = Start(folder, job);
  ASSERT_NE(tray, nullptr);
  EXPECT_TRUE(TrayIconPresent(tray));  // an entry without a picture
  Command(tray, 6003);
  EXPECT_EQ(SettingText(folder.Profile(), "OFASensitivityViewable"), "1");

  // The items have no text but keep their commands: the last one, after the profiles, is 6006.
  PostMessageA(tray, kTrayCallback, 128, WM_RBUTTONDOWN);
  ASSERT_TRUE(ChooseFromMenu(job.ProcessId(), 9));
  ASSERT_TRUE(job.WaitForExit(10000));
  EXPECT_EQ(TrayEnabled(), 0u);
}

}  // namespace

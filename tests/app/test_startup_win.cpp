// Start-up of the configuration program: one instance, the window title, the current directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstring>

#include "app/main_window.h"
#include "support/win_test_support.h"
#include "win32/file_system.h"

using namespace testing_support;

namespace {

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  std::string text = path;
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

TEST(StartupTest, ASecondInstanceEndsAtOnceAndTheFirstKeepsRunning) {
  ASSERT_EQ(FindWindowA(nullptr, "Mouse Driver"), nullptr) << "another copy is running already";
  const std::string exe = ProgramFolderOfBuild() + "Pointwick.exe";
  PROCESS_INFORMATION first{}, second{};
  ASSERT_TRUE(StartProgram(exe, "", first));
  HWND window = WaitForWindow("Mouse Driver", 30000);
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(StartProgram(exe, "", second));
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(second.hProcess);
  CloseHandle(second.hThread);

  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(CountWindowsTitled("Mouse Driver"), 1);
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Mouse Driver");
  CloseProgram(first, window);
}

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

TEST_F(MainWindowTest, ProgramFolderIsCurrentWhileTheWindowLivesAndTheCallersAfterwards) {
  TempFolder elsewhere;
  ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.Path().c_str()));
  const std::string callers = CurrentDirectory();
  {
    app::MainWindow window(win::ModuleFolder());
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.ProgramFolder(), win::ModuleFolder());
    EXPECT_EQ(CurrentDirectory(), window.ProgramFolder());
    char title[64] = {};
    GetWindowTextA(window.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Mouse Driver");
    EXPECT_EQ(window.VersionText(), "1.01");
    window.Destroy();
    EXPECT_EQ(CurrentDirectory(), callers);
  }
  SetCurrentDirectoryA(TestProgramFolder().c_str());
}

TEST_F(MainWindowTest, SettingsAreLoadedIntoCurrentAndBaseline) {
  app::MainWindow window(win::ModuleFolder());
  ASSERT_TRUE(window.CreateModeless());
  const settings::SettingsSession& session = window.Settings();
  ASSERT_TRUE(session.Paths().Found());
  EXPECT_NE(session.Paths().profile.find("\\USB Optical Mouse\\Mouse\\RerirUv.ini"), std::string::npos);
  EXPECT_EQ(0, std::memcmp(&session.Current(), &session.Baseline(), sizeof(settings::ProfileSet)));
  EXPECT_TRUE(settings::IsAcceptedCode(session.Current().profiles[0].buttons[0].code));
  window.Destroy();
}

}  // namespace

// The real Pointwick in a program folder with the default skin: its shaped face, the profile
// buttons, saving through the face and closing without saving, seen from outside as a user does.
#include <gtest/gtest.h>

#include "settings/device_service.h"
#include "settings/settings_store.h"
#include "skin/push_button.h"
#include "support/win_test_support.h"

using namespace testing_support;

namespace {

class PointwickWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Complete());
    ASSERT_EQ(FindWindowA(nullptr, "Mouse Driver"), nullptr);
    ASSERT_TRUE(StartProgram(folder.File("Pointwick.exe"), "", process));
    window = WaitForWindow("Mouse Driver", 30000);
    ASSERT_NE(window, nullptr);
    WaitForInputIdle(process.hProcess, 10000);  // the window has finished starting
  }
  void TearDown() override { CloseProgram(process, window); }
  // The face button under a client point of the main window.
  HWND ButtonAt(int x, int y) {
    HWND child = ChildWindowFromPointEx(window, POINT{x, y}, CWP_SKIPINVISIBLE);
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    return lstrcmpA(cls, skin::kPushButtonClass) == 0 ? child : nullptr;
  }
  void Click(HWND button) {
    ASSERT_NE(button, nullptr);
    SendMessageA(button, BM_CLICK, 0, 0);
    SendMessageA(window, WM_NULL, 0, 0);  // the click's WM_COMMAND has been handled
  }

  ProfileFileGuard profile;
  ProgramFolder folder{kLanguage | kSkins, "Pointwick.exe"};
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

TEST_F(PointwickWindowTest, TheWindowTakesTheSkinsSizeAndShape) {
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 680);
  EXPECT_EQ(frame.bottom - frame.top, 392);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window, region), COMPLEXREGION) << "cut from the mask";
  EXPECT_FALSE(PtInRegion(region, 2, 389)) << "the cut bottom-left corner is outside";
  EXPECT_TRUE(PtInRegion(region, 340, 200));
  DeleteObject(region);
  // 21 face buttons and the three pictures.
  int buttons = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    buttons += lstrcmpA(cls, skin::kPushButtonClass) == 0;
  }
  EXPECT_EQ(buttons, 21);
}

TEST_F(PointwickWindowTest, AProfileButtonThenApplySavesTheProfileAndTellsTheService) {
  StubService service(folder.File("service.log"), profile.Path());
  ASSERT_TRUE(service.Running());
  Click(ButtonAt(18 + 60, 80 + 2 * 32 + 13));  // "Profile 3"
  Click(ButtonAt(516 + 36, 350 + 13));         // "Apply"
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "Profile", -1, profile.Path().c_str()), 2);
  std::vector<ServiceMessage> log = service.Messages();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().message, settings::kServiceReloadAll);

  // Profile 5 chosen, then left through the close button: nothing more is written.
  const std::string saved = ReadFileBytes(profile.Path());
  Click(ButtonAt(18 + 60, 80 + 4 * 32 + 13));
  Click(ButtonAt(644 + 10, 9 + 10));  // the title bar's close button
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ReadFileBytes(profile.Path()), saved);
  EXPECT_EQ(service.Messages().size(), log.size());
}

TEST_F(PointwickWindowTest, EscapeAndEnterDoNotEndTheWindow) {
  SetForegroundWindow(window);
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  Sleep(300);
  SendMessageA(window, WM_NULL, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(IsWindowVisible(window));
}

}  // namespace

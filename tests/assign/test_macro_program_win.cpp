// A macro across a restart of the real Pointwick: recorded in the key panel through key messages
// to the panel's windows, stored with Apply, the program closed and started again; the panel
// opened on the same button shows the same text, and the profile file holds exactly the events.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "assign/macro_display.h"
#include "panels/panel_messages.h"
#include "settings/profile_set.h"
#include "skin/skin_file.h"
#include "support/win_test_support.h"

using namespace testing_support;

namespace {

constexpr char kTitle[] = "Mouse Driver";
constexpr int kButton = 3;       // mouse button 4
constexpr int kHotspot = 6 + kButton;  // its BUTTONPOS on the main window
constexpr int kAdvanceItem = 5;  // "advance" in the function menu
constexpr int kApplyButton = 4;

bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
  return true;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The visible window owned by `owner` that `match` accepts.
HWND OwnedWindow(HWND owner, const std::function<bool(HWND)>& match) {
  return FindTopLevel([&](HWND w) { return GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w) && match(w); });
}

HWND DisplayOf(HWND panel) { return FindWindowExA(panel, nullptr, assign::kMacroDisplayClass, nullptr); }

// The real program in a scratch program folder with the default skin, from the factory settings;
// the user's profile file is put back as it was afterwards.
class MacroProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(profile.Path().empty());
    DeleteFileA(profile.Path().c_str());  // the factory settings
    ASSERT_TRUE(folder.Complete());
  }
  void TearDown() override { Stop(); }

  void Start() {
    ASSERT_EQ(FindWindowA(nullptr, kTitle), nullptr) << "another copy is running";
    ASSERT_TRUE(StartProgram(folder.File("Pointwick.exe"), "", process));
    main = WaitForWindow(kTitle, 30000);
    ASSERT_NE(main, nullptr);
    // A user clicks once the window has finished starting: it has painted and then made the
    // side panels it does not show at first.
    ASSERT_TRUE(WaitFor([&] { return OwnedDialogs(main) == 6; })) << "the side panels were not made";
  }
  void Stop() { CloseProgram(process, main); }

  // The control of a window at the centre of BUTTONPOS `index` of its skin description.
  HWND ControlAt(HWND window, const char* skin, int index) {
    const skin::SkinItem item = skin::SkinFile(folder.Path() + "\\", skin).ReadItem("BUTTONPOS", index);
    const POINT centre{(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2};
    return ChildWindowFromPointEx(window, centre, CWP_SKIPINVISIBLE);
  }
  void Click(HWND control) {
    ASSERT_NE(control, nullptr);
    PostMessageA(control, BM_CLICK, 0, 0);
  }

  // "advance" for the button, as a user picks it: the hotspot, then the menu's item; the panel
  // slides open on the button's record.
  HWND OpenPanel() {
    Click(ControlAt(main, "skins\\skin_main.ini", kHotspot));
    HWND menu = nullptr;
    const auto isMenu = [&](HWND w) { return !DisplayOf(w) && ControlAt(w, "skins\\skin_menu.ini", kAdvanceItem); };
    EXPECT_TRUE(WaitFor([&] { return (menu = OwnedWindow(main, isMenu)) != nullptr; })) << "no menu";
    if (!menu) return nullptr;
    Click(ControlAt(menu, "skins\\skin_menu.ini", kAdvanceItem));
    HWND panel = nullptr;
    EXPECT_TRUE(WaitFor([&] {
      panel = OwnedWindow(main, [](HWND w) { return DisplayOf(w) != nullptr; });
      RECT r{};
      return panel && GetWindowRect(panel, &r) && r.right - r.left == 240 && IsWindowVisible(DisplayOf(panel));
    })) << "the key panel did not open";
    return panel;
  }
  HWND PanelButton(HWND panel, int index) { return ControlAt(panel, "skins\\skin_key_expand.ini", index); }

  void PostKey(HWND to, UINT message, UINT key, UINT keystroke) {
    const bool up = message == WM_KEYUP;
    PostMessageA(to, message, key, static_cast<LPARAM>(1u | (keystroke << 16) | (up ? 0xC0000000u : 0u)));
  }

  ProfileFileGuard profile;
  ProgramFolder folder{kSkins, "Pointwick.exe"};
  PROCESS_INFORMATION process{};
  HWND main = nullptr;
};

TEST_F(MacroProgramTest, ARecordedMacroSurvivesARestartInTextAndByteForByteInTheProfileFile) {
  Start();
  HWND panel = OpenPanel();
  ASSERT_NE(panel, nullptr);
  HWND display = DisplayOf(panel);
  Click(PanelButton(panel, 4));  // macro mode
  Click(PanelButton(panel, 2));  // the option toggle on
  PostKey(display, WM_KEYDOWN, VK_CONTROL, 0x1D);
  PostKey(display, WM_KEYDOWN, 'C', 0x2E);
  PostKey(display, WM_KEYUP, 'C', 0x2E);
  Click(PanelButton(panel, 8));  // a pause after the release of C
  PostKey(display, WM_KEYUP, VK_CONTROL, 0x1D);
  PostKey(display, WM_KEYDOWN, VK_F5, 0x3F);
  PostKey(display, WM_KEYUP, VK_F5, 0x3F);
  PostKey(display, WM_KEYDOWN, VK_RETURN, 0x11C);
  PostKey(display, WM_KEYUP, VK_RETURN, 0x11C);
  const std::string text = "LCtrl| C| C^<delay> LCtrl^ F5| F5^ NumRet| NumRet^ ";
  EXPECT_TRUE(WaitFor([&] { return TextOf(display) == text; })) << TextOf(display);

  Click(PanelButton(panel, 1));  // close: the edit is stored and the panel slides shut
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
  Click(ControlAt(main, "skins\\skin_main.ini", kApplyButton));
  settings::ButtonAssignment stored{};
  const auto read = [&] {
    return GetPrivateProfileStructA("GROUP0", "ButtonAssigned4", &stored, sizeof stored,
                                    profile.Path().c_str()) != FALSE;
  };
  ASSERT_TRUE(WaitFor(read, 15000)) << "nothing saved";
  Stop();

  const settings::ButtonAssignment expected{
      4, 6, 1, 8, {{224, 0x00}, {6, 0x00}, {6, 0x81}, {224, 0x01}, {62, 0x00}, {62, 0x01}, {88, 0x00}, {88, 0x01}}};
  ASSERT_TRUE(read());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stored), sizeof stored),
            std::string(reinterpret_cast<const char*>(&expected), sizeof expected));

  Start();
  panel = OpenPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(WaitFor([&] { return TextOf(DisplayOf(panel)) == text; })) << TextOf(DisplayOf(panel));
}

}  // namespace

// The main window's assignment, driven as a user drives it: a click on a mouse button of the
// picture, the menu under it, the warnings, and what reaches the records and the faces.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "assign/command_menu.h"
#include "panels/panel_messages.h"
#include "panels/profile_switch_dialog.h"
#include "settings/device_service.h"
#include "settings/function_catalogue.h"
#include "support/message_sequence.h"
#include "support/modal_answer.h"
#include "support/win_test_support.h"
#include "win32/file_system.h"

using namespace testing_support;

namespace {


using Step = std::function<void(HWND window)>;

skin::SkinnedDialog* Skinned(HWND window) { return win::WindowFrom<skin::SkinnedDialog>(window); }

// A click on item k of a menu, or on button k of a message box (3 OK, 4 Cancel).
Step Click(int k) {
  return [k](HWND window) { PostMessageA(Skinned(window)->Control(k), BM_CLICK, 0, 0); };
}
// A press away from the menu: with the mouse captured it reaches the menu.
Step ClickOutside() {
  return [](HWND window) { PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-40, -40)); };
}
// Two steps on the same window, one after the other.
Step Both(Step first, Step second) {
  return [first, second](HWND window) {
    first(window);
    second(window);
  };
}
const Step kOk = Click(3);
const Step kCancel = Click(4);

// A few pixels across a button, to tell whether its face changed.
std::vector<COLORREF> Pixels(HWND button) {
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(button);
  for (int x = 2; x < 90; x += 4) pixels.push_back(GetPixel(dc, x, 10));
  ReleaseDC(button, dc);
  return pixels;
}

class AssignmentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    DeleteFileA(profile.Path().c_str());  // the window starts from the factory settings
    ASSERT_TRUE(window.CreateModeless());
    ShowWindow(window.Handle(), SW_SHOW);
    UpdateWindow(window.Handle());
  }
  void TearDown() override { window.Destroy(); }

  HWND Hotspot(int b) { return window.Control(app::kFirstHotspot + b); }
  settings::ProfileSet& Current() { return window.Settings().Current(); }
  int Code(int profile, int b) { return Current().profiles[profile].buttons[b].code; }

  // Clicks mouse button b on the picture and answers the windows that open, in order; the
  // skin of each window that opened is noted.
  std::vector<std::string> Assign(int b, std::vector<Step> steps) {
    std::vector<std::string> opened;
    std::size_t next = 0;
    ModalAnswer answer([&](HWND w) {
      opened.push_back(Skinned(w) ? Skinned(w)->SkinPath() : "?");
      if (next < steps.size()) {
        steps[next++](w);
      } else {
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
      }
    });
    SendMessageA(Hotspot(b), BM_CLICK, 0, 0);
    return opened;
  }

  ScratchUserHive hive;
  ProfileFileGuard profile;
  app::MainWindow window{DefaultSkinFolder(), app::ShellActions{}};
};

const std::string kFunctionMenu = "skins\\skin_menu.ini";
const std::string kScrollMenu = "skins\\skin_scroll_menu.ini";
const std::string kClickWarning = "skins\\skin_click_warn.ini";
const std::string kProfileWarning = "skins\\skin_warn_profile.ini";
const std::string kProfileSwitch = "skins\\skin_profile_set.ini";

TEST_F(AssignmentTest, MenusWarningsAndTheRecordsTheyLeave) {
  struct Case {
    const char* what;
    int button;
    std::function<void(settings::ProfileSet&)> before;
    std::vector<Step> steps;
    std::vector<std::string> opened;
    int code;              // the button's code in the current profile afterwards
    bool inEveryProfile;   // ... and in the four others
    bool faceChanges;
  };
  const auto none = [](settings::ProfileSet&) {};
  const auto noClick = [](settings::ProfileSet& s) { s.profiles[0].buttons[0].code = 2; };
  const auto otherWheel = [](settings::ProfileSet& s) { s.profiles[0].buttons[5].code = 7; };
  const Case cases[] = {
      {"the last click cannot go", 0, none, {Click(2), kOk}, {kFunctionMenu, kClickWarning}, 1, false, false},
      {"click needs no check", 1, none, {Click(1)}, {kFunctionMenu}, 1, false, true},
      {"with another click, the menu goes", 0,
       [](settings::ProfileSet& s) { s.profiles[0].buttons[1].code = 1; }, {Click(2)}, {kFunctionMenu}, 2,
       false, true},
      {"no click anywhere: every change is refused", 5, noClick, {Click(5)}, {kScrollMenu, kClickWarning},
       48, false, false},
      {"item 12 confirmed goes into all five profiles", 3, none, {Click(12), kOk},
       {kFunctionMenu, kProfileWarning}, 114, true, true},
      {"item 12 refused changes nothing", 3, none, {Click(12), kCancel}, {kFunctionMenu, kProfileWarning},
       11, false, false},
      {"item 12 on the last click shows only the click warning", 0, none, {Click(12), kOk},
       {kFunctionMenu, kClickWarning}, 1, false, false},
      {"the scroll menu's item 5 stores 48", 5, otherWheel, {Click(5)}, {kScrollMenu}, 48, false, true},
      {"item 6 stores Windows button 4", 3, none, {Click(6)}, {kFunctionMenu}, 10, false, true},
      {"a click outside the menu changes nothing", 3, none, {ClickOutside()}, {kFunctionMenu}, 11, false,
       false},
      {"switch profile cancelled: the face comes back", 3, none, {Click(8), Click(panels::kSwitchCancel)},
       {kFunctionMenu, kProfileSwitch}, 11, false, false},
      {"switch profile to profile 3", 3, none,
       {Click(8), Both(Click(panels::kSwitchProfile1 + 2), Click(panels::kSwitchOk))},
       {kFunctionMenu, kProfileSwitch}, 20, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings::SetDefaults(Current());
    settings::Normalise(Current(), Current());
    c.before(Current());
    const settings::ProfileSet before = Current();
    SendMessageA(window.Handle(), panels::kPanelMessage, 0, panels::kCodeCloseKeys);  // faces again
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<COLORREF> face = Pixels(Hotspot(c.button));

    EXPECT_EQ(Assign(c.button, c.steps), c.opened);

    EXPECT_EQ(Code(0, c.button), c.code);
    for (int p = 1; p < settings::kProfileCount; ++p)
      EXPECT_EQ(Code(p, c.button), c.inEveryProfile ? c.code : before.profiles[p].buttons[c.button].code);
    for (int b = 0; b < settings::kButtonCount; ++b) {
      if (b != c.button) {
        EXPECT_EQ(Code(0, b), before.profiles[0].buttons[b].code) << "button " << b + 1;
      }
    }
    EXPECT_EQ(Pixels(Hotspot(c.button)) != face, c.faceChanges);
  }
}

TEST_F(AssignmentTest, EachMenuReturnsItsItemsResults) {
  struct Case {
    assign::Menu menu;
    int button;
    int item;
    INT_PTR result;
  };
  const Case cases[] = {
      {assign::Menu::Function, 0, 12, 13},        {assign::Menu::Function, 0, 6, 5},
      {assign::Menu::ScrollFunction, 5, 5, 4},    {assign::Menu::BasicCommand, 0, 9, 8},
      {assign::Menu::AdditionalCommand, 0, 1, 0}, {assign::Menu::MediaCommand, 0, 7, 6},
  };
  for (const Case& c : cases) {
    assign::CommandMenu menu(window.Handle(), DefaultSkinFolder(), c.menu, c.button);
    menu.SetAnchor(assign::CommandMenu::AnchorBelow(Hotspot(3)));
    ModalAnswer answer(Click(c.item));
    EXPECT_EQ(menu.DoModal(), c.result) << static_cast<int>(c.menu) << " item " << c.item;
  }
}

TEST_F(AssignmentTest, AMenuOpensBelowItsButtonAndKeepsTheMouse) {
  const POINT anchor = assign::CommandMenu::AnchorBelow(Hotspot(3));
  assign::CommandMenu menu(window.Handle(), DefaultSkinFolder(), assign::Menu::Function, 3);
  menu.SetAnchor(anchor);
  RECT placed{};
  HWND shown = nullptr, captured = nullptr;
  ModalAnswer answer([&](HWND w) {
    shown = w;
    GetWindowRect(w, &placed);
    captured = GetCapture();
    PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(menu.DoModal(), -1);
  EXPECT_EQ(placed.left, anchor.x);
  EXPECT_EQ(placed.top, anchor.y);
  EXPECT_EQ(captured, shown) << "a click anywhere reaches the menu";
}

TEST_F(AssignmentTest, TheAdditionalMenuWithholdsItsFirstItemFromTheWheelAndTilts) {
  for (int button : {8, 0}) {
    assign::CommandMenu menu(window.Handle(), DefaultSkinFolder(), assign::Menu::AdditionalCommand, button);
    bool enabled = true;
    ModalAnswer answer([&](HWND w) {
      HWND first = Skinned(w)->Control(1);
      enabled = IsWindowEnabled(first) != FALSE;
      // A press on item 1: taken by the item when it is enabled; when it is disabled it does
      // nothing, and the menu is still there for the click on item 2 that follows.
      RECT r{};
      GetWindowRect(first, &r);
      MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&r), 2);
      if (enabled) {
        PostMessageA(first, BM_CLICK, 0, 0);
      } else {
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        PostMessageA(Skinned(w)->Control(2), BM_CLICK, 0, 0);
      }
    });
    const INT_PTR result = menu.DoModal();
    EXPECT_EQ(enabled, button == 0) << "button " << button + 1;
    EXPECT_EQ(result, button == 0 ? 0 : 1);
  }
}

TEST_F(AssignmentTest, TheKeyboardWorksAMenuWithoutTheMouse) {
  assign::CommandMenu menu(window.Handle(), DefaultSkinFolder(), assign::Menu::Function, 3);
  ModalAnswer answer([](HWND w) {
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_RETURN}) PostMessageA(w, WM_KEYDOWN, key, 0);
  });
  EXPECT_EQ(menu.DoModal(), 1) << "the second item";
}

// From the factory button 4 does "Forward", item 7 of its menu.
TEST_F(AssignmentTest, AMenuShowsWhatItsButtonDoesNowLatched) {
  std::vector<int> latched;
  Assign(3, {[&](HWND w) {
    for (int k = 1; HWND control = Skinned(w)->Control(k); ++k)
      if (win::WindowFrom<skin::SkinButton>(control)->Latched()) latched.push_back(k);
    PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
  }});
  EXPECT_EQ(latched, std::vector<int>{7});
}

TEST_F(AssignmentTest, PrivateMessagesAnswerAsTheyShould) {
  struct Case {
    UINT message;
    LPARAM code;
    LRESULT answer;
  };
  const Case cases[] = {
      {panels::kPanelMessage, 99, -1},      {panels::kPanelStateMessage, 99, -1},
      {panels::kPanelStateMessage, 31, -1}, {panels::kIdleMessage, 0, 0},
      {panels::kFirmwareMessage, 0, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessageA(window.Handle(), c.message, 0, c.code), c.answer) << c.message << "/" << c.code;
  EXPECT_EQ(window.FirmwareText(), "N/A");
}

TEST(MainWindowShellTest, HelpAndTheWebPageGoThroughTheShell) {
  ScratchUserHive hive;
  std::vector<std::string> opened;
  app::MainWindow window(DefaultSkinFolder(),
                         app::ShellActions{[&](const std::string& path) { opened.push_back(path); },
                                           [&](const std::string& line) {
                                             opened.push_back("start " + line);
                                             return true;
                                           }});
  ASSERT_TRUE(window.CreateModeless());
  SendMessageA(window.Handle(), panels::kPanelMessage, 0, panels::kCodeHelp);
  SendMessageA(window.Handle(), WM_HELP, 0, 0);
  window.Destroy();
  const std::string help = win::ModuleFolder() + "Help.pdf";
  EXPECT_EQ(opened, (std::vector<std::string>{help, help}));
}

TEST_F(AssignmentTest, SavesTellTheServiceWhatChanged) {
  StubService service(profile.Path() + ".log", profile.Path());
  ASSERT_TRUE(service.Running());
  HWND apply = window.Control(app::kApplyButton);
  SendMessageA(apply, BM_CLICK, 0, 0);  // the first save writes the factory settings
  const std::string saved = ReadFileBytes(profile.Path());
  const std::size_t first = service.Messages().size();

  SendMessageA(apply, BM_CLICK, 0, 0);  // nothing changed: nothing written, nothing sent
  EXPECT_EQ(ReadFileBytes(profile.Path()), saved);
  EXPECT_EQ(service.Messages().size(), first);

  Current().SpeedX = 7;  // a general value alone: posted 1274, then 1279
  SendMessageA(apply, BM_CLICK, 0, 0);
  std::vector<ServiceMessage> log = service.Messages();
  ASSERT_EQ(log.size(), first + 2);
  EXPECT_EQ(log[first].message, settings::kServiceReloadGeneral);
  EXPECT_EQ(log[first + 1].message, settings::kServiceReloadAll);

  Current().profiles[0].buttons[3].code = 10;  // a button: 1275, the pause, then 1279
  SendMessageA(apply, BM_CLICK, 0, 0);
  log = service.Messages();
  ASSERT_EQ(log.size(), first + 4);
  EXPECT_EQ(log[first + 2].message, settings::kServiceReloadProfiles);
  EXPECT_EQ(log[first + 3].message, settings::kServiceReloadAll);
  EXPECT_GE(log[first + 3].ms - log[first + 2].ms, 1000u);
}

// The badge says whether the service runs, looked at again by each save; Apply says it saved
// in the footer until the line's time is up.
TEST_F(AssignmentTest, TheBadgeFollowsTheServiceAndApplySaysItSaved) {
  EXPECT_EQ(window.Badge().Describe().name, app::kServiceMissingTip);
  HWND status = window.Status().Handle();
  EXPECT_FALSE(IsWindowVisible(status));
  StubService service(profile.Path() + ".log", profile.Path());
  ASSERT_TRUE(service.Running());
  SendMessageA(window.Control(app::kApplyButton), BM_CLICK, 0, 0);
  EXPECT_EQ(window.Badge().Describe().name, app::kServiceRunningTip);
  EXPECT_TRUE(IsWindowVisible(status));
  EXPECT_EQ(window.Status().Describe().name, "Settings saved");
  SendMessageA(status, WM_TIMER, 1, 0);  // the line's time is up
  EXPECT_FALSE(IsWindowVisible(status));
}

TEST_F(AssignmentTest, CancelPutsBackTheDoubleClickTimeTriedInAPanel) {
  const UINT before = GetDoubleClickTime();
  Current().DoubleClickSpeed = 350;  // a panel changed it in memory and in the system
  SetDoubleClickTime(350);
  SendMessageA(window.Control(app::kCancelButton), BM_CLICK, 0, 0);
  EXPECT_EQ(GetDoubleClickTime(), static_cast<UINT>(window.Settings().Baseline().DoubleClickSpeed));
  SetDoubleClickTime(before);
}

TEST_F(AssignmentTest, PanelsSlideOpenAndShutAndReportWhenTheyEnd) {
  app::SidePanels& panels = *window.Panels();
  const auto slideTo = [&](int code) {
    SendMessageA(window.Handle(), panels::kPanelMessage, 0, code);
    for (int i = 0; i < 500 && panels.Slide().Running(); ++i) PumpMessages(10);
    PumpMessages(20);  // the state message
  };
  slideTo(panels::kCodeOpenSensitivity);
  EXPECT_TRUE(panels.SensitivityOpen());
  EXPECT_FALSE(IsWindowVisible(panels.Sensitivity().Handle())) << "the main window keeps it hidden";
  slideTo(panels::kCodeOpenKeys);
  EXPECT_TRUE(panels.KeyOpen());
  EXPECT_TRUE(IsWindowVisible(panels.KeyEditor().Handle()));
  EXPECT_FALSE(IsWindowVisible(panels.KeyClosed().Handle()));
  RECT main{}, keys{};
  GetWindowRect(window.Handle(), &main);
  GetWindowRect(panels.KeyEditor().Handle(), &keys);
  EXPECT_EQ(keys.left, main.right);
  EXPECT_EQ(keys.right - keys.left, panels.KeyEditor().FaceSize().cx);
  slideTo(panels::kCodeCloseKeys);
  EXPECT_FALSE(panels.KeyOpen());
  EXPECT_TRUE(IsWindowVisible(panels.KeyClosed().Handle()));
}

// No panel is made with the window; all six come once it has painted, the closed key panel
// showing, and the main window stays the active one.
TEST_F(AssignmentTest, ThePanelsComeAfterTheFirstPaintAndTakeNoActivation) {
  EXPECT_EQ(OwnedDialogs(window.Handle()), 0);
  ASSERT_EQ(GetActiveWindow(), window.Handle());
  for (int i = 0; i < 200 && OwnedDialogs(window.Handle()) < 6; ++i) PumpMessages(10);
  EXPECT_EQ(OwnedDialogs(window.Handle()), 6);
  EXPECT_EQ(GetActiveWindow(), window.Handle());
  EXPECT_TRUE(IsWindowVisible(window.Panels()->KeyClosed().Handle()));
  EXPECT_FALSE(IsWindowVisible(window.Panels()->KeyEditor().Handle()));
}

// A slide of a panel no wider than its minimum ends at the first step.
TEST(PanelSlideTest, APanelNoWiderThanItsMinimumClosesAtOnce) {
  RecorderWindow main({panels::kPanelStateMessage});
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 20, 50, nullptr,
                               nullptr, nullptr, nullptr);
  app::PanelSlide slide;
  ASSERT_TRUE(slide.Start({panel, main.Handle(), panels::kCodeCloseAdvanced, app::PanelSlide::Mode::Close,
                           app::PanelSlide::Anchor::RightFixed, 30, nullptr}));
  EXPECT_FALSE(slide.Tick());
  EXPECT_FALSE(slide.Running());
  EXPECT_FALSE(IsWindowVisible(panel));
  main.Drain();
  EXPECT_SEQUENCE(main.Messages(), {{panels::kPanelStateMessage, kPosted | kCheckLParam, 0, panels::kCodeCloseAdvanced}});
  DestroyWindow(panel);
}

}  // namespace

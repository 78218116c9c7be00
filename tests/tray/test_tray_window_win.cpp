// The tray window in this process: the menu it builds, its icon record and the tray key string.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/win_test_support.h"
#include "tray/tray_ids.h"
#include "tray/tray_registry_key.h"
#include "tray/tray_window.h"
#include "win32/dpi.h"

using namespace testing_support;

namespace {

struct MenuItem {
  UINT id;
  bool separator;
  bool isDefault;
  std::string text;
  UINT state = 0;  // MFS_CHECKED, MF_GRAYED (also for MFS_GRAYED), MFT_RADIOCHECK
  bool operator==(const MenuItem&) const = default;
};
constexpr UINT kRadio = MFT_RADIOCHECK | MFS_CHECKED;

void PrintTo(const MenuItem& item, std::ostream* out) {
  *out << "{" << item.id << (item.separator ? " separator" : "") << (item.isDefault ? " default" : "")
       << " \"" << item.text << "\" " << item.state << "}";
}

std::vector<MenuItem> ReadMenu(HMENU menu) {
  std::vector<MenuItem> items;
  const UINT defaultId = GetMenuDefaultItem(menu, FALSE, 0);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[260] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    items.push_back({separator ? 0 : info.wID, separator, !separator && info.wID == defaultId,
                     separator ? "" : text,
                     separator ? 0 : (info.fState & MFS_CHECKED) | (info.fType & MFT_RADIOCHECK) |
                                         ((info.fState & MFS_GRAYED) ? MF_GRAYED : 0)});
  }
  return items;
}

std::string LanguageString(const std::string& library, UINT id) {
  HMODULE module = LoadLibraryExA(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  char text[260] = {};
  if (module) {
    LoadStringA(module, id, text, sizeof text);
    FreeLibrary(module);
  }
  return text;
}

// Records the menu it is shown and answers it with `choice` (0: closed without a choice).
struct MenuAnswer {
  UINT choice = 0;
  std::vector<MenuItem> shown;
  HMENU menu = nullptr;
  int times = 0;
  tray::MenuPresenter Presenter() {
    return [this](HWND owner, HMENU m, POINT) {
      ++times;
      menu = m;
      shown = ReadMenu(m);
      if (choice) PostMessageA(owner, WM_COMMAND, choice, 0);
    };
  }
};

std::optional<DWORD> ScratchTrayEnabled() { return TrayEnabled(); }  // HKCU is the scratch hive

// The menu's profile rows, `checked` with the radio mark; grayed ones come with the reason.
std::vector<MenuItem> ProfileRows(int checked, UINT grayed = 0) {
  std::vector<MenuItem> rows;
  for (int p = 1; p <= 5; ++p)
    rows.push_back({UINT(6010 + p), false, false, "Profile " + std::to_string(p), (p == checked ? kRadio : 0) | grayed});
  if (grayed) rows.push_back({0, false, false, "Close Pointwick to switch profiles", MF_GRAYED});
  rows.push_back({0, true, false, ""});
  return rows;
}

class TrayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hive_.Active()); }
  void TearDown() override { PumpMessages(50); }  // the window's quit message, if any
  ScratchUserHive hive_;
};

TEST_F(TrayWindowTest, MenuHoldsOpenProgramProfilesSeparatorAndTwoExitCommandsWithTheLibrarysTexts) {
  ProgramFolder folder(kLanguage | kIcon);
  ASSERT_TRUE(folder.Complete());
  MenuAnswer answer;
  tray::TrayWindow window(folder.Path(), answer.Presenter(), {});  // the profiles: below
  ASSERT_TRUE(window.Create());
  SendMessageA(window.Handle(), tray::kTrayCallbackMessage, 128, WM_RBUTTONDOWN);
  ASSERT_EQ(answer.times, 1);

  const std::string lan = folder.File("lan.dll");
  const std::vector<MenuItem> expected = {
      {6001, false, true, LanguageString(lan, 7)},
      {6007, false, false, LanguageString(lan, 13)},
      {0, true, false, ""},
      {6005, false, false, LanguageString(lan, 11)},
      {6006, false, false, LanguageString(lan, 12)},
  };
  ASSERT_FALSE(expected[0].text.empty()) << "the sample library has no string 7";
  ASSERT_FALSE(expected[1].text.empty()) << "the sample library has no string 13";
  EXPECT_EQ(answer.shown, expected);
  EXPECT_FALSE(IsMenu(answer.menu)) << "the menu is destroyed after it closes";
  EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST_F(TrayWindowTest, WithoutLanguageLibraryTheItemsHaveEmptyTextsAndTheirCommands) {
  ProgramFolder folder(0);
  MenuAnswer answer;
  answer.choice = 6005;
  tray::TrayWindow window(folder.Path(), answer.Presenter(), {});  // no profile file: no profiles
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(ScratchTrayEnabled(), 0u);
  HWND hwnd = window.Handle();
  SendMessageA(hwnd, tray::kTrayCallbackMessage, 128, WM_RBUTTONDOWN);
  // Only the program profiles item has a text of its own for a missing library.
  const std::vector<MenuItem> expected = {{6001, false, true, ""},
                                          {6007, false, false, "Program profiles..."},
                                          {0, true, false, ""},
                                          {6005, false, false, ""},
                                          {6006, false, false, ""}};
  EXPECT_EQ(answer.shown, expected);

  PumpMessages(200);  // the chosen item arrives as a posted WM_COMMAND
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(ScratchTrayEnabled(), 1u);
}

// The profiles come after the first separator. A window titled "Mouse Driver" stands for the
// configuration program: they wait for it.
TEST_F(TrayWindowTest, ProfilesWaitForTheConfigurationProgramThenAChoiceSwitchesWithANotice) {
  ProgramFolder folder(kLanguage);
  TempFolder user;  // no profile file yet: profile 1
  MenuAnswer answer{6013};
  tray::TrayWindow window(folder.Path(), answer.Presenter(), {user.File("RerirUv.ini"), ""});
  ASSERT_TRUE(window.Create());
  HWND editor = CreateWindowA("STATIC", "Mouse Driver", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  for (bool open : {true, false}) {
    if (!open) DestroyWindow(editor);
    SendMessageA(window.Handle(), tray::kTrayCallbackMessage, 128, WM_RBUTTONDOWN);
    PumpMessages(50);  // the choice arrives as a posted WM_COMMAND
    const std::vector<MenuItem> rows = ProfileRows(1, open ? MF_GRAYED : 0);
    EXPECT_EQ(std::vector<MenuItem>(answer.shown.begin() + 3, answer.shown.end() - 2), rows);
    EXPECT_EQ(SettingText(user.File("RerirUv.ini"), "Profile"), open ? "" : "2");
    EXPECT_STREQ(window.IconRecord().szInfo, open ? L"" : L"Profile 3");
  }
  answer.choice = 0;
  SendMessageA(window.Handle(), tray::kTrayCallbackMessage, 128, WM_RBUTTONDOWN);
  EXPECT_EQ(std::vector<MenuItem>(answer.shown.begin() + 3, answer.shown.end() - 2), ProfileRows(3));
}

TEST_F(TrayWindowTest, OtherMouseMessagesOpenNoMenuAndUnknownCommandsDoNothing) {
  ProgramFolder folder(kLanguage);
  MenuAnswer answer;
  tray::TrayWindow window(folder.Path(), answer.Presenter());
  ASSERT_TRUE(window.Create());
  for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN})
    SendMessageA(window.Handle(), tray::kTrayCallbackMessage, 128, mouse);
  for (WORD command : {6000, 6008, 1, 0xFFFF}) SendMessageA(window.Handle(), WM_COMMAND, command, 0);
  PumpMessages(100);
  EXPECT_EQ(answer.times, 0);
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_EQ(testing_support::ReadFileBytes(folder.Profile()), "");
}

TEST_F(TrayWindowTest, IconRecordCarriesTheCallbackAndTipWithOrWithoutThePicture) {
  for (bool withIcon : {true, false}) {
    SCOPED_TRACE(withIcon ? "with logo.ico" : "without logo.ico");
    ProgramFolder folder(withIcon ? unsigned{kIcon} : 0u);
    tray::TrayWindow window(folder.Path());
    ASSERT_TRUE(window.Create());
    const NOTIFYICONDATAW& record = window.IconRecord();
    EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(record.hWnd, window.Handle());
    EXPECT_EQ(record.uID, 128u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_USER + 1001));
    EXPECT_EQ(std::wstring(record.szTip).rfind(L"USB Optical Mouse Driver \u2013 Profile ", 0), 0u);
    EXPECT_EQ(record.hIcon != nullptr, withIcon);
    EXPECT_TRUE(TrayIconPresent(window.Handle()));  // an entry even without a picture
    // The picture has the small-icon size of the window's DPI, and again after a change of DPI.
    const UINT dpi = win::WindowDpi(window.Handle());
    RECT place{};
    for (UINT at : {dpi, dpi * 2}) {
      if (at != dpi) SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(at, at), reinterpret_cast<LPARAM>(&place));
      if (!withIcon) continue;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(record.hIcon, &info));
      BITMAP mask{};
      GetObjectA(info.hbmMask, sizeof mask, &mask);
      DeleteObject(info.hbmMask);
      if (info.hbmColor) DeleteObject(info.hbmColor);
      EXPECT_EQ(mask.bmWidth, win::SystemMetricForDpi(SM_CXSMICON, at)) << at;
    }
    SendMessageA(window.Handle(), WM_COMMAND, 6006, 0);
    PumpMessages(20);
  }
}

// Watches the destruction of a tray window: is its icon there before and after the window's own
// WM_DESTROY handling, while the window still exists?
struct DestroyWatch {
  static inline WNDPROC original = nullptr;
  static inline int presentBefore = -1;
  static inline int presentAfter = -1;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DESTROY) return CallWindowProcA(original, hwnd, message, wParam, lParam);
    presentBefore = TrayIconPresent(hwnd);
    const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    presentAfter = TrayIconPresent(hwnd);
    return result;
  }
};

TEST_F(TrayWindowTest, DestroyingTheWindowRemovesItsIcon) {
  for (WORD command : {WORD{6005}, WORD{6006}}) {
    SCOPED_TRACE(command);
    ProgramFolder folder(kIcon);
    tray::TrayWindow window(folder.Path());
    ASSERT_TRUE(window.Create());
    DestroyWatch::presentBefore = DestroyWatch::presentAfter = -1;
    DestroyWatch::original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DestroyWatch::Proc)));
    SendMessageA(window.Handle(), WM_COMMAND, command, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(DestroyWatch::presentBefore, 1);
    EXPECT_EQ(DestroyWatch::presentAfter, 0);
    PumpMessages(20);
  }
}

TEST(TrayRegistryPathTest, TextBeforeTheFirstBackslashNamesTheRoot) {
  static const struct {
    const char* path;
    HKEY root;
    const char* subkey;
  } kCases[] = {
      {"HKEY_CURRENT_USER\\Control Panel\\Mouse\\USB Optical Mouse", HKEY_CURRENT_USER,
       "Control Panel\\Mouse\\USB Optical Mouse"},
      {"HKEY_LOCAL_MACHINE\\Software\\A", HKEY_LOCAL_MACHINE, "Software\\A"},
      {"HKEY_CURRENT_CONFIG\\B", HKEY_CURRENT_CONFIG, "B"},
      {"HKEY_CLASSES_ROOT\\.htm", HKEY_CLASSES_ROOT, ".htm"},
      // Anything else is a subkey of HKEY_LOCAL_MACHINE, whole.
      {"HKEY_USERS\\x\\y", HKEY_LOCAL_MACHINE, "HKEY_USERS\\x\\y"},
      {"hkey_current_user\\x", HKEY_LOCAL_MACHINE, "hkey_current_user\\x"},
      {"HKEY_CURRENT_USER", HKEY_LOCAL_MACHINE, "HKEY_CURRENT_USER"},
      {"Software\\C", HKEY_LOCAL_MACHINE, "Software\\C"},
      {"", HKEY_LOCAL_MACHINE, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.path);
    const tray::RegistryLocation location = tray::ParseRegistryPath(c.path);
    EXPECT_EQ(location.root, c.root);
    EXPECT_EQ(location.subkey, c.subkey);
  }
}

}  // namespace

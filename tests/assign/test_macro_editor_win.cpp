// The key panel on real windows under Wine: key messages posted to the panel's windows and routed
// as the program's loop routes them, clicks on its buttons, the record it writes, what it posts
// to the main window, its glyphs and wrapping in pixels, and its face while it slides.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assign/command_menu.h"
#include "assign/key_codes.h"
#include "assign/layout_char_win.h"
#include "assign/macro_display.h"
#include "assign/macro_editor.h"
#include "panels/collapsed_panel.h"
#include "panels/panel_messages.h"
#include "settings/function_catalogue.h"
#include "skin/skin_file.h"
#include "skin/skin_picture.h"
#include "support/message_sequence.h"
#include "support/modal_answer.h"
#include "support/win_test_support.h"

using namespace assign;
using testing_support::kCheckLParam;
using testing_support::kPosted;

namespace {


// The pixels of a client area or of part of a picture, as COLORREF values, row by row.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> values;
  COLORREF At(int x, int y) const { return values[y * width + x]; }
};

// Draws into a 32-bit top-down DIB and reads it back.
template <class Draw>
Pixels Capture(int width, int height, Draw draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  Pixels out{width, height, {}};
  {
    win::SelectScope select(dc.Get(), dib.Get());
    draw(dc.Get());
    GdiFlush();
    const auto* raw = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
      out.values.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
  }
  return out;
}

// What the window paints into its client area.
Pixels Printed(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return Capture(client.right, client.bottom, [&](HDC dc) {
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

// The part `cut` of a picture file.
Pixels PictureCut(const std::string& path, const RECT& cut) {
  win::Bitmap picture;
  SIZE size{};
  EXPECT_TRUE(skin::LoadSkinPicture(path, picture, size)) << path;
  return Capture(cut.right - cut.left, cut.bottom - cut.top, [&](HDC dc) {
    win::MemoryDc source(CreateCompatibleDC(dc));
    win::SelectScope select(source.Get(), picture.Get());
    BitBlt(dc, 0, 0, cut.right - cut.left, cut.bottom - cut.top, source.Get(), cut.left, cut.top, SRCCOPY);
  });
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

constexpr std::uint32_t kUp = 0xC0000000u;  // previous state and transition bits of a release

// Posts a key message to a window, as the keyboard driver does, and lets the program's routing
// handle it: pre-translation of each of our windows, the dialog manager, then the window.
void PostKey(HWND to, UINT message, UINT key, UINT keystroke, std::uint32_t extra = 0) {
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  PostMessageA(to, message, key, static_cast<LPARAM>(1u | (keystroke << 16) | (up ? kUp : 0u) | extra));
}

class MacroEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::ProfileSet defaults{};
    settings::SetDefaults(defaults);
    settings::Normalise(session.Current(), defaults);
    editor = std::make_unique<MacroEditor>(main.Handle(), testing_support::DefaultSkinFolder());
    editor->AttachSettings(session);
    ASSERT_TRUE(editor->Create());
    SetWindowPos(editor->Handle(), HWND_TOP, 460, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(editor->Handle());
    main.Clear();
  }

  HWND Button(EditorButton which) const { return editor->Control(which); }
  bool Latched(EditorButton which) const { return editor->Button(which).Latched(); }
  bool Enabled(EditorButton which) const { return IsWindowEnabled(Button(which)) != FALSE; }
  std::string Text() const { return editor->Display().Text(); }
  settings::ButtonAssignment& RecordOf(int b) { return *settings::RecordOf(session.Current(), 0, b); }

  // Hands what was posted to the panel's windows to the routing, the way the program's loop does.
  void Route() {
    MSG msg;
    while (PeekMessageA(&msg, editor->Handle(), 0, 0, PM_REMOVE)) {
      if (!win::WindowObject::RouteMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }
  void Key(HWND to, UINT message, UINT key, UINT keystroke, std::uint32_t extra = 0) {
    PostKey(to, message, key, keystroke, extra);
    Route();
  }
  // A press and a release of a key that the focused window receives.
  void Stroke(UINT key, UINT keystroke) {
    Key(GetFocus(), WM_KEYDOWN, key, keystroke);
    Key(GetFocus(), WM_KEYUP, key, keystroke);
  }
  void Click(EditorButton which) {
    SendMessageA(Button(which), BM_CLICK, 0, 0);
    Route();
  }
  // The panel codes posted to the main window since the last check.
  std::vector<testing_support::RecordedMessage> Posted() {
    main.Drain();
    std::vector<testing_support::RecordedMessage> posted = main.Messages();
    main.Clear();
    return posted;
  }

  testing_support::RecorderWindow main{{panels::kPanelMessage}, 200, 200};
  settings::SettingsSession session;
  std::unique_ptr<MacroEditor> editor;
};

TEST_F(MacroEditorTest, HeldShiftInSingleKeyModeIsOneSidedPressAndClosingStoresCodeFive) {
  editor->Load(3);
  EXPECT_TRUE(Latched(kSingleKeyButton));
  EXPECT_TRUE(editor->Display().Highlighted());
  SetFocus(editor->Display().Handle());
  Key(GetFocus(), WM_KEYDOWN, VK_SHIFT, 0x2A);
  for (int i = 0; i < 4; ++i) Key(GetFocus(), WM_KEYDOWN, VK_SHIFT, 0x2A, 1u << 30);  // held
  Key(GetFocus(), WM_KEYDOWN, 'B', 0x30);
  Key(GetFocus(), WM_KEYUP, 'B', 0x30);
  Key(GetFocus(), WM_KEYUP, VK_SHIFT, 0x2A);
  EXPECT_EQ(Text(), "LShft ");
  EXPECT_FALSE(editor->Display().Highlighted()) << "a new recording is not highlighted";
  EXPECT_FALSE(Enabled(kDelayButton));

  RecordOf(3).macroOption = 1;
  Click(kCloseButton);
  const settings::ButtonAssignment& r = RecordOf(3);
  EXPECT_EQ(r.code, settings::kCodeSingleKey);
  EXPECT_EQ(r.eventCount, 1);
  EXPECT_EQ(r.events[0].usage, 225);
  EXPECT_EQ(r.events[0].flags, 0);
  EXPECT_EQ(r.macroOption, 0);
  EXPECT_SEQUENCE(Posted(), {{panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeCloseKeys}});
}

TEST_F(MacroEditorTest, MacroModeShowsPressAndReleaseAndIgnoresAReleaseWithoutPress) {
  editor->Load(3);
  Click(kMacroButton);
  EXPECT_TRUE(Latched(kMacroButton));
  EXPECT_FALSE(Latched(kSingleKeyButton));
  for (EditorButton command : {kBasicButton, kAdditionalButton, kMediaButton}) EXPECT_FALSE(Enabled(command));
  EXPECT_FALSE(Enabled(kDelayButton));
  SetFocus(Button(kMacroButton));
  Stroke('A', 0x1E);
  EXPECT_EQ(Text(), "A| A^ ");
  EXPECT_TRUE(Enabled(kDelayButton));
  Key(GetFocus(), WM_KEYUP, 'B', 0x30);
  EXPECT_EQ(Text(), "A| A^ ");
  EXPECT_TRUE(Posted().empty());
}

TEST_F(MacroEditorTest, TheDelayMarksTheFifteenthEventButNotTheSixteenth) {
  editor->Load(2);
  Click(kMacroButton);
  SetFocus(editor->Display().Handle());
  for (UINT key = 'A'; key < 'A' + 7; ++key) Stroke(key, 0x10 + key - 'A');
  Key(GetFocus(), WM_KEYDOWN, 'X', 0x2D);
  Click(kDelayButton);
  EXPECT_TRUE(EndsWith(Text(), " G^ X|<delay> ")) << Text();
  Key(GetFocus(), WM_KEYUP, 'X', 0x2D);
  Click(kDelayButton);
  Key(GetFocus(), WM_KEYDOWN, 'Y', 0x15);  // a 17th event
  EXPECT_TRUE(EndsWith(Text(), " G^ X|<delay> X^ ")) << Text();
  editor->Save();
  const settings::ButtonAssignment& r = RecordOf(2);
  EXPECT_EQ(r.code, settings::kCodeKeyboardMacro);
  ASSERT_EQ(r.eventCount, 16);
  EXPECT_EQ(r.events[14].flags, 0x80);
  EXPECT_EQ(r.events[15].flags, 0x01);
  EXPECT_EQ(r.events[15].usage, 27);  // X
}

// The item `k` of the command menu that opens while the object lives.
struct MenuChoice {
  explicit MenuChoice(int k)
      : answer([k](HWND window) {
          if (auto* menu = win::WindowFrom<CommandMenu>(window)) SendMessageA(menu->Control(k), BM_CLICK, 0, 0);
        }) {}
  testing_support::ModalAnswer answer;
};

TEST_F(MacroEditorTest, AMediaCommandIsWrittenAtOnceAndAKeyRecordedAfterItMakesASingleKey) {
  editor->Load(3);
  SetFocus(editor->Display().Handle());
  Key(GetFocus(), WM_KEYDOWN, 'Q', 0x10);
  {
    MenuChoice first(1);
    Click(kMediaButton);
    EXPECT_EQ(first.answer.Answered(), 1);
  }
  EXPECT_EQ(RecordOf(3).code, 32) << "written before any save";
  EXPECT_EQ(RecordOf(3).eventCount, 0);
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(editor->Display().Highlighted());

  // The media button shows the command's cell with its drop-down end; the others "nothing chosen".
  const skin::SkinFile sheet(testing_support::DefaultSkinFolder(), "skins\\skin_menu_all.ini");
  const auto cell = [&](int code) {
    const skin::SkinItem item = sheet.ReadItem("BUTTONINFO", settings::FaceCellIndex(code) + 1);
    return PictureCut(sheet.PicturePath("Main"), RECT{item.rect.left, item.rect.top,
                                                      item.rect.right + kCommandFaceExtra, item.rect.bottom});
  };
  EXPECT_EQ(Printed(Button(kMediaButton)).values, cell(32).values);
  EXPECT_EQ(Printed(Button(kBasicButton)).values, cell(settings::kCodeNothingChosen).values);
  EXPECT_NE(cell(32).values, cell(settings::kCodeNothingChosen).values);

  Key(GetFocus(), WM_KEYDOWN, 'A', 0x1E);
  EXPECT_EQ(Text(), "A ");
  Click(kCloseButton);
  EXPECT_EQ(RecordOf(3).code, settings::kCodeSingleKey);
  EXPECT_EQ(RecordOf(3).eventCount, 1);
  EXPECT_EQ(RecordOf(3).events[0].usage, 4);
}

TEST_F(MacroEditorTest, MacroModeWithNothingRecordedStoresCodeSixAndTheToggle) {
  const struct {
    int button;
    std::uint8_t stored;
    bool clickToggle;
    bool toggleEnabled;
    std::uint8_t saved;
  } cases[] = {{3, 1, false, true, 1}, {3, 1, true, true, 0}, {3, 0, true, true, 1},
               {7, 1, false, false, 0}, {8, 1, false, false, 0}};
  for (const auto& c : cases) {
    RecordOf(c.button).macroOption = c.stored;
    editor->Load(c.button);
    Click(kMacroButton);
    EXPECT_EQ(Enabled(kOptionButton), c.toggleEnabled) << "button " << c.button + 1;
    EXPECT_EQ(Latched(kOptionButton), c.toggleEnabled && c.stored) << "button " << c.button + 1;
    if (c.clickToggle) Click(kOptionButton);
    Click(kCloseButton);
    const settings::ButtonAssignment& r = RecordOf(c.button);
    EXPECT_EQ(r.code, settings::kCodeKeyboardMacro) << "button " << c.button + 1;
    EXPECT_EQ(r.eventCount, 0);
    EXPECT_EQ(r.macroOption, c.saved) << "button " << c.button + 1;
  }
}

TEST_F(MacroEditorTest, ReturnIsNamedByWhereItIsAndReturnAndEscapeCloseNothing) {
  editor->Load(3);
  Click(kMacroButton);
  SetFocus(Button(kCloseButton));
  Stroke(VK_RETURN, 0x11C);  // the keypad's Enter
  Stroke(VK_RETURN, 0x01C);
  Stroke(VK_ESCAPE, 0x001);
  EXPECT_EQ(Text(), "NumRet| NumRet^ Ret| Ret^ Esc| Esc^ ");
  EXPECT_TRUE(Posted().empty()) << "the close button was not clicked";
  EXPECT_TRUE(IsWindowVisible(editor->Handle()));
  EXPECT_TRUE(Latched(kMacroButton));
  editor->Save();
  const std::uint8_t usages[] = {88, 88, 40, 40, 41, 41};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(RecordOf(3).events[i].usage, usages[i]) << i;
}

TEST_F(MacroEditorTest, SpaceOnAFocusedButtonIsRecordedAndClicksNothingAndTabMovesTheFocus) {
  editor->Load(3);
  Click(kMacroButton);
  SetFocus(Button(kSingleKeyButton));
  Stroke(VK_SPACE, 0x39);
  EXPECT_EQ(Text(), "Spc| Spc^ ");
  EXPECT_TRUE(Latched(kMacroButton)) << "the single-key button was not clicked";
  Stroke(VK_TAB, 0x0F);
  EXPECT_EQ(Text(), "Spc| Spc^ Tab| Tab^ ");
  EXPECT_EQ(GetFocus(), Button(kMacroButton)) << "Tab goes on in reading order";
}

TEST_F(MacroEditorTest, EachKeyMessageIsRecordedOnceWhicheverOfThePanelsWindowsHasTheFocus) {
  editor->Load(3);
  Click(kMacroButton);
  const struct {
    HWND focus;
    UINT message, key, keystroke;
  } keys[] = {
      {editor->Handle(), WM_KEYDOWN, 'A', 0x1E},
      {editor->Display().Handle(), WM_KEYDOWN, 'B', 0x30},
      {Button(kOptionButton), WM_KEYDOWN, 'C', 0x2E},
      {Button(kDelayButton), WM_SYSKEYDOWN, VK_MENU, 0x2038},
      {Button(kMediaButton), WM_SYSKEYDOWN, VK_MENU, 0x2138},  // right Alt
      {Button(kCloseButton), WM_KEYDOWN, VK_CONTROL, 0x11D},
      {Button(kCloseButton), WM_KEYDOWN, VK_LWIN, 0x15B},
      {editor->Handle(), WM_KEYUP, VK_LWIN, 0x15B},
  };
  for (const auto& k : keys) {
    SetFocus(k.focus);
    Key(k.focus, k.message, k.key, k.keystroke);
  }
  EXPECT_EQ(Text(), "A| B| C| LAlt| RAlt| RCtrl| ");
}

TEST_F(MacroEditorTest, AStoredMacroIsShownAndSavedAsItWasWithItsUnknownKeyAsUsageZero) {
  settings::ButtonAssignment& r = RecordOf(4);
  r = settings::ButtonAssignment{5, 6, 1, 5, {{225, 0}, {4, 0}, {4, 1}, {225, 0x81}, {50, 0}}};
  settings::ButtonAssignment expected = r;
  expected.events[4].usage = 0;  // a usage outside the table keeps its place as usage 0
  editor->Load(4);
  EXPECT_TRUE(Latched(kMacroButton));
  EXPECT_FALSE(Enabled(kMediaButton));
  EXPECT_FALSE(Enabled(kDelayButton)) << "until a key is recorded";
  EXPECT_TRUE(Latched(kOptionButton));
  EXPECT_EQ(Text(), "LShft| A| A^ LShft^<delay> ?| ");
  editor->Save();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r), sizeof r),
            std::string(reinterpret_cast<const char*>(&expected), sizeof expected));
}

TEST_F(MacroEditorTest, WhileSlidingOnlyTheCloseButtonShowsAndTheFacesRightPartIsPainted) {
  const SIZE face = editor->FaceSize();
  ASSERT_EQ(face.cx, 240);
  SetWindowPos(editor->Handle(), nullptr, 0, 0, 100, face.cy, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(IsWindowVisible(Button(kCloseButton)));
  for (int k = kOptionButton; k <= kDelayButton; ++k)
    EXPECT_FALSE(IsWindowVisible(Button(static_cast<EditorButton>(k)))) << k;
  EXPECT_FALSE(IsWindowVisible(editor->Display().Handle()));
  const skin::SkinFile skin(testing_support::DefaultSkinFolder(), "skins\\skin_key_expand.ini");
  EXPECT_EQ(Printed(editor->Handle()).values,
            PictureCut(skin.PicturePath("Main"), RECT{140, 0, 240, face.cy}).values);

  SetWindowPos(editor->Handle(), nullptr, 0, 0, face.cx, face.cy, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(IsWindowVisible(Button(kDelayButton)));
  EXPECT_TRUE(IsWindowVisible(editor->Display().Handle()));
}

TEST(MacroEditorCollapsedTest, TheStripsHiddenButtonAsksForTheEditor) {
  testing_support::RecorderWindow main({panels::kPanelMessage});
  panels::CollapsedPanel strip(main.Handle(), testing_support::DefaultSkinFolder(), panels::kKeyStrip);
  ASSERT_TRUE(strip.Create());
  EXPECT_EQ(strip.FaceSize().cx, 16);
  HWND arrow = strip.Control(1);
  ASSERT_NE(arrow, nullptr);
  EXPECT_FALSE(IsWindowVisible(arrow));
  SendMessageA(arrow, BM_CLICK, 0, 0);
  main.Drain();
  EXPECT_SEQUENCE(main.Messages(), {{panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeOpenKeys}});
}

// The display's own font: its text height decides the line pitch.
int TextHeight() {
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  win::SelectScope font(dc.Get(), GetStockObject(ANSI_VAR_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return metrics.tmHeight;
}

int TextWidth(const char* text) {
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  win::SelectScope font(dc.Get(), GetStockObject(ANSI_VAR_FONT));
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &size);
  return size.cx;
}

class MacroDisplayTest : public ::testing::Test {
 protected:
  void Make(int width, int height) {
    ASSERT_TRUE(display.Create(host.Handle(), RECT{10, 10, 10 + width, 10 + height}));
  }
  testing_support::RecorderWindow host{{}, 400, 400};
  MacroDisplay display;
};

TEST_F(MacroDisplayTest, PressesAndReleasesAreTheSevenByNineArrowsOverTheHighlight) {
  Make(220, 80);
  display.SetText("A| A^ ");
  display.SetHighlight(true);
  const Pixels shown = Printed(display.Handle());
  const int h = std::max(TextHeight(), 9);
  // Down arrow after "A", up arrow after "A| A": black where the glyph is, highlight elsewhere.
  const char* kDown[] = {"..###..", "..###..", "..###..", "..###..", "..###..",
                         "#######", ".#####.", "..###..", "...#..."};
  const int down = 2 + TextWidth("A");
  const int up = down + 7 + TextWidth(" ") + TextWidth("A");
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 7; ++x) {
      const COLORREF under = (2 + y <= h) ? kDisplayHighlight : RGB(255, 255, 255);
      const COLORREF expected = kDown[y][x] == '#' ? RGB(0, 0, 0) : under;
      EXPECT_EQ(shown.At(down + x, 2 + y), expected) << x << "," << y;
      const COLORREF underUp = (2 + 8 - y <= h) ? kDisplayHighlight : RGB(255, 255, 255);
      EXPECT_EQ(shown.At(up + x, 2 + 8 - y), kDown[y][x] == '#' ? RGB(0, 0, 0) : underUp) << x << "," << y;
    }
  }
  const int end = up + 7 + TextWidth(" ");
  EXPECT_EQ(shown.At(1, 1), kDisplayHighlight);
  EXPECT_EQ(shown.At(end, h), kDisplayHighlight) << "the bar reaches one pixel past the line";
  EXPECT_EQ(shown.At(end + 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(shown.At(1, h + 1), RGB(255, 255, 255)) << "the bar is h pixels high";
  EXPECT_EQ(shown.At(0, 0), RGB(255, 255, 255));

  display.SetHighlight(false);
  const Pixels plain = Printed(display.Handle());
  EXPECT_EQ(plain.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(plain.At(down + 3, 2), RGB(0, 0, 0));
}

TEST_F(MacroDisplayTest, ALongMacroWrapsOntoFiveLinesAndNothingBeyondIsDrawn) {
  Make(150, 300);
  std::vector<MacroEvent> events;
  for (std::uint32_t key : {160u, 162u, 164u, 108u, 161u, 163u, 165u, 145u}) {
    events.push_back({key, 0});
    events.push_back({key, kEventRelease | kEventDelay});
  }
  display.SetText(MacroText(events, MacroMode::Macro, LayoutChar));
  display.SetHighlight(true);
  const Pixels shown = Printed(display.Handle());
  const int h = std::max(TextHeight(), 9);
  const int pitch = h + 2;
  // Each of the five lines has black text and its highlight; below them the display is white.
  for (int line = 0; line < 5; ++line) {
    int black = 0, green = 0;
    for (int y = line * pitch; y < line * pitch + pitch; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        black += shown.At(x, y) == RGB(0, 0, 0);
        green += shown.At(x, y) == kDisplayHighlight;
      }
    }
    EXPECT_GT(black, 20) << "line " << line;
    EXPECT_GT(green, 100) << "line " << line;
  }
  int drawnBelow = 0;
  for (int y = 5 * pitch; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x) drawnBelow += shown.At(x, y) != RGB(255, 255, 255);
  EXPECT_EQ(drawnBelow, 0);
  EXPECT_GT(TextWidth(display.Text().c_str()), 5 * 150) << "the text is longer than five lines";
}

}  // namespace

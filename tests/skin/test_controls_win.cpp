// Skin controls on real windows, driven by messages as a user's mouse would drive them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "../support/win_test_support.h"
#include "skin/double_click_test_button.h"
#include "skin/level_bar.h"
#include "skin/skin_button.h"
#include "skin/skin_messages.h"
#include "skin/skin_slider.h"
#include "skin_test_support.h"
#include "win32/language_library.h"

namespace {

using skintest::HostWindow;
using skintest::PixelOf;
using skintest::Report;
using testing_support::kCheckLParam;
using testing_support::kCheckWParam;
using testing_support::kPosted;
using testing_support::kSent;

constexpr COLORREF kMainColour = RGB(200, 0, 0);
constexpr COLORREF kOverColour = RGB(0, 200, 0);
constexpr COLORREF kDownColour = RGB(0, 0, 200);
constexpr COLORREF kDisabledColour = RGB(128, 128, 128);

// Whole-window pictures of one colour each, so a pixel tells which face is drawn.
struct Pictures {
  skin::Picture main{skin::SharePicture(win::Bitmap(skintest::MakeSolidBitmap(400, 300, kMainColour)))};
  skin::Picture over{skin::SharePicture(win::Bitmap(skintest::MakeSolidBitmap(400, 300, kOverColour)))};
  skin::Picture down{skin::SharePicture(win::Bitmap(skintest::MakeSolidBitmap(400, 300, kDownColour)))};
  skin::Picture disabled{skin::SharePicture(win::Bitmap(skintest::MakeSolidBitmap(400, 300, kDisabledColour)))};
  skin::FaceSources Faces() const { return {main, over, down, disabled}; }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

int CommandsFrom(const HostWindow& host, HWND control) {
  int n = 0;
  for (const Report& r : host.Reports()) {
    if (r.message == WM_COMMAND && reinterpret_cast<HWND>(r.lParam) == control && HIWORD(r.wParam) == BN_CLICKED) ++n;
  }
  return n;
}

class SkinButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(button.Create(host.Handle(), kRect));
    button.SetFaces(kRect, pictures.Faces());
  }
  COLORREF Drawn() {
    skintest::PaintNow(button.Handle());
    return PixelOf(button.Handle(), 10, 10);
  }
  const RECT kRect{20, 20, 80, 50};
  HostWindow host;
  Pictures pictures;
  skin::SkinButton button;
};

TEST_F(SkinButtonTest, BecomesAnOwnerDrawnButtonWithoutTabStop) {
  const LONG style = GetWindowLongA(button.Handle(), GWL_STYLE);
  EXPECT_EQ(style & 0x0F, BS_OWNERDRAW);
  EXPECT_EQ(style & WS_TABSTOP, 0);
  EXPECT_EQ(GetDlgCtrlID(button.Handle()), 0);
}

TEST_F(SkinButtonTest, FaceSelectionFollowsItsOrder) {
  EXPECT_EQ(Drawn(), kMainColour);
  SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, At(10, 10));  // the mouse enters
  ASSERT_TRUE(button.Hovered());
  EXPECT_EQ(GetCapture(), button.Handle());
  EXPECT_EQ(Drawn(), kOverColour);
  button.SetLatched(true);  // latched beats hover
  EXPECT_EQ(Drawn(), kDownColour);
  button.SetLatched(false);
  SendMessageA(button.Handle(), BM_SETSTATE, TRUE, 0);  // pushed beats hover
  EXPECT_EQ(Drawn(), kDownColour);
  SendMessageA(button.Handle(), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Drawn(), kOverColour);
  // The mouse leaves: hover ends and the capture is given back.
  SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, At(200, 200));
  EXPECT_FALSE(button.Hovered());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Drawn(), kMainColour);
}

TEST_F(SkinButtonTest, DisabledButtonDrawsDisabledUnlessLatched) {
  EnableWindow(button.Handle(), FALSE);
  EXPECT_EQ(Drawn(), kDisabledColour);
  button.SetLatched(true);
  EXPECT_EQ(Drawn(), kDownColour);
}

TEST_F(SkinButtonTest, NormalClickSendsOneCommandAndKeepsTheLatch) {
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  host.Drain();
  EXPECT_SEQUENCE(host.Messages(), {{WM_COMMAND, kSent | kCheckWParam | kCheckLParam,
                                     MAKEWPARAM(0, BN_CLICKED), LPARAM(button.Handle())}});
  EXPECT_FALSE(button.Latched());
}

TEST_F(SkinButtonTest, ToggleButtonClickedTwiceEndsUnlatchedAfterTwoCommands) {
  button.SetToggleMode(true);
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  host.Drain();
  EXPECT_TRUE(button.Latched());
  EXPECT_EQ(CommandsFrom(host, button.Handle()), 1);
  EXPECT_EQ(Drawn(), kDownColour);
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  host.Drain();
  EXPECT_FALSE(button.Latched());
  EXPECT_EQ(CommandsFrom(host, button.Handle()), 2);
  EXPECT_EQ(Drawn(), kMainColour);
}

TEST_F(SkinButtonTest, TooltipHoldsOneToolWithTheLatestText) {
  button.SetTooltip("", true);
  EXPECT_EQ(button.Tooltip(), nullptr);  // no text, no tooltip
  button.SetTooltip("First", true);
  button.SetTooltip("Second", false);
  ASSERT_NE(button.Tooltip(), nullptr);
  EXPECT_EQ(SendMessageA(button.Tooltip(), skin::kTooltipToolCount, 0, 0), 1);
  char text[80] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = button.Handle();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(button.Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Second");
  HWND tooltip = button.Tooltip();
  button.Destroy();
  EXPECT_FALSE(IsWindow(tooltip));
}

TEST_F(SkinButtonTest, CaptionIsDrawnOverTheFace) {
  button.SetCaption("WWWW");
  skintest::PaintNow(button.Handle());
  int light = 0;
  for (int x = 5; x < 40; ++x) {
    for (int y = 5; y < 25; ++y) light += PixelOf(button.Handle(), x, y) == RGB(0xE0, 0xE0, 0xE0);
  }
  EXPECT_GT(light, 10);
  EXPECT_EQ(PixelOf(button.Handle(), 55, 2), kMainColour);
}

TEST(SkinButtonFaces, EmptyFacesStillClick) {
  HostWindow host;
  skin::SkinButton button;
  ASSERT_TRUE(button.Create(host.Handle(), RECT{10, 10, 50, 30}));
  button.SetFaces(RECT{10, 10, 50, 30}, skin::FaceSources{});
  skintest::PaintNow(button.Handle());
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  host.Drain();
  EXPECT_EQ(CommandsFrom(host, button.Handle()), 1);
}

// The button keeps the pictures it draws from, and a face reaching past its picture's edge is
// black there, as a copy cut from the picture would be.
TEST(SkinButtonFaces, OutliveTheirSourcesAndAreBlackPastThePicture) {
  HostWindow host;
  skin::SkinButton button;
  ASSERT_TRUE(button.Create(host.Handle(), RECT{10, 10, 70, 40}));
  {
    const Pictures pictures;  // 400 by 300
    button.SetFaces(RECT{370, 280, 430, 310}, pictures.Faces());
  }
  skintest::PaintNow(button.Handle());
  EXPECT_EQ(PixelOf(button.Handle(), 5, 5), kMainColour);
  EXPECT_EQ(PixelOf(button.Handle(), 45, 5), RGB(0, 0, 0));
  EXPECT_EQ(PixelOf(button.Handle(), 5, 25), RGB(0, 0, 0));
}

// A track 200 pixels high, a 20 by 20 thumb with magenta corners, range 0..18.
class SkinSliderTest : public testing::Test {
 protected:
  void SetUp() override {
    thumbFile = folder.File("thumb.bmp");
    ASSERT_TRUE(skintest::WriteBmp(thumbFile, 20, 20, [](int x, int y) {
      const bool corner = (x < 2 || x > 17) && (y < 2 || y > 17);
      return corner ? RGB(255, 0, 255) : RGB(20, 90, 160);
    }));
    ASSERT_TRUE(slider.Create(thumbFile, kTrack, host.Handle(), 7));
    slider.SetFace(kTrack, main.Get());
    slider.SetRange(0, 18);
  }
  int ThumbTop() { return slider.Thumb().Top(); }
  std::vector<Report> SliderReports() {
    std::vector<Report> out;
    for (const Report& r : host.Reports()) {
      if (r.message == skin::kSliderValueMessage) out.push_back(r);
    }
    return out;
  }
  const RECT kTrack{30, 20, 50, 220};
  testing_support::TempFolder folder;
  std::string thumbFile;
  HostWindow host{400, 300};
  win::Bitmap main{skintest::MakeSolidBitmap(400, 300, RGB(30, 30, 30))};
  skin::SkinSlider slider;
};

TEST_F(SkinSliderTest, ThumbPlacementByValue) {
  slider.SetPos(18);
  EXPECT_EQ(ThumbTop(), 0);
  slider.SetPos(0);
  EXPECT_EQ(ThumbTop(), 180);
  slider.SetPos(9);
  EXPECT_EQ(ThumbTop(), 90);
  slider.SetPos(25);
  EXPECT_EQ(ThumbTop(), 180);
  EXPECT_EQ(slider.Thumb().PictureSize().cy, 20);
}

TEST_F(SkinSliderTest, ReleasedDragReportsTheValueUnderTheThumb) {
  slider.SetPos(0);
  HWND thumb = slider.Thumb().Handle();
  SendMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_EQ(GetCapture(), thumb);
  SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(10, 10 - 120));
  EXPECT_EQ(ThumbTop(), 60);
  // Moves are relative to the thumb as it is now: 30 down from the anchor.
  SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(10, 40));
  EXPECT_EQ(ThumbTop(), 90);
  SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(10, 10));
  EXPECT_TRUE(SliderReports().empty());  // nothing is reported while dragging
  SendMessageA(thumb, WM_LBUTTONUP, 0, At(10, 10));
  host.Drain();
  // The thumb tells the track, which passes the value on to the window.
  EXPECT_SEQUENCE(host.Messages(), {{skin::kSliderValueMessage, kPosted | kCheckWParam | kCheckLParam, 9, 7}});
  EXPECT_EQ(ThumbTop(), 90);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinSliderTest, DragStopsAtBothEndsOfTheTrack) {
  slider.SetPos(9);
  HWND thumb = slider.Thumb().Handle();
  SendMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(10, -500));
  EXPECT_EQ(ThumbTop(), 0);
  SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(10, 900));
  EXPECT_EQ(ThumbTop(), 180);
  SendMessageA(thumb, WM_LBUTTONUP, 0, At(10, 10));
  host.Drain();
  ASSERT_EQ(SliderReports().size(), 1u);
  EXPECT_EQ(static_cast<int>(SliderReports()[0].wParam), 0);
}

TEST_F(SkinSliderTest, TrackClickMovesTheThumbAndReports) {
  SendMessageA(slider.Handle(), WM_LBUTTONUP, 0, At(5, 50));
  host.Drain();
  EXPECT_SEQUENCE(host.Messages(), {{skin::kSliderValueMessage, kPosted | kCheckWParam | kCheckLParam, 14, 7}});
  EXPECT_EQ(ThumbTop(), 180 * (18 - 14) / 18);
}

TEST_F(SkinSliderTest, ThumbIsShapedByItsTopLeftColour) {
  win::Region region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(slider.Thumb().Handle(), region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 19, 19));
  EXPECT_FALSE(PtInRegion(region.Get(), 1, 18));
  EXPECT_TRUE(PtInRegion(region.Get(), 2, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 10, 10));
}

TEST(SkinSliderCreate, MissingThumbPictureMakesNoSlider) {
  HostWindow host;
  skin::SkinSlider slider;
  EXPECT_FALSE(slider.Create("Z:\\no\\such\\thumb.bmp", RECT{0, 0, 20, 100}, host.Handle(), 1));
  EXPECT_EQ(slider.Handle(), nullptr);
  EXPECT_EQ(GetWindow(host.Handle(), GW_CHILD), nullptr);
}

// A bar 100 pixels wide, range 0..10: background blue, fill red.
class LevelBarTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar.Create(kRect, host.Handle(), 2));
    bar.SetFaces(kRect, background.Get(), fill.Get());
    bar.SetRange(0, 10);
  }
  std::vector<Report> BarReports() {
    std::vector<Report> out;
    for (const Report& r : host.Reports()) {
      if (r.message == skin::kLevelBarValueMessage) out.push_back(r);
    }
    return out;
  }
  const RECT kRect{50, 100, 150, 112};
  HostWindow host;
  win::Bitmap background{skintest::MakeSolidBitmap(400, 300, RGB(0, 0, 255))};
  win::Bitmap fill{skintest::MakeSolidBitmap(400, 300, RGB(255, 0, 0))};
  skin::LevelBar bar;
};

TEST_F(LevelBarTest, ValueThreeFillsThirtyPixels) {
  bar.SetPos(3);
  EXPECT_EQ(PixelOf(bar.Handle(), 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(bar.Handle(), 29, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(bar.Handle(), 30, 5), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(bar.Handle(), 99, 5), RGB(0, 0, 255));
  bar.SetPos(11);  // out of range: the minimum, no fill
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(PixelOf(bar.Handle(), 0, 5), RGB(0, 0, 255));
}

TEST_F(LevelBarTest, DragFollowsTheMouseAndReleaseReports) {
  SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 5));
  SendMessageA(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(52, 5));
  EXPECT_EQ(bar.Value(), 5);
  EXPECT_EQ(PixelOf(bar.Handle(), 49, 5), RGB(255, 0, 0));
  SendMessageA(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-40, 5));
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_TRUE(BarReports().empty());
  SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, At(75, 5));
  host.Drain();
  EXPECT_SEQUENCE(host.Messages(), {{skin::kLevelBarValueMessage, kPosted | kCheckWParam | kCheckLParam, 7, 2}});
  EXPECT_EQ(GetCapture(), nullptr);
  // Without a drag, moving the mouse changes nothing.
  SendMessageA(bar.Handle(), WM_MOUSEMOVE, 0, At(10, 5));
  EXPECT_EQ(bar.Value(), 7);
}

TEST_F(LevelBarTest, LosingTheMouseEndsTheDrag) {
  SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 5));
  SetCapture(host.Handle());
  SendMessageA(bar.Handle(), WM_MOUSEMOVE, 0, At(90, 5));
  EXPECT_EQ(bar.Value(), 0);
  ReleaseCapture();
}

// The test button takes its picture from the build's "lan.dll", its animation from the skin.
class DoubleClickTestButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(language.Load(testing_support::ProgramFolderOfBuild() + win::kLanFileName));
    button.SetAnimationFile(testing_support::DefaultSkinFolder() + "skins\\double_click.avi");
    button.SetSoundFile(testing_support::DefaultSkinFolder() + "skins\\double_click.wav");
    ASSERT_TRUE(button.Create(host.Handle(), RECT{20, 20, 80, 60}, &language));
  }
  void TearDown() override { button.Destroy(); }
  win::LanguageLibrary language;
  HostWindow host;
  skin::DoubleClickTestButton button;
};

TEST_F(DoubleClickTestButtonTest, ShowsThePictureUntilTheFirstDoubleClick) {
  EXPECT_EQ(GetWindowLongA(button.Handle(), GWL_STYLE) & 0x5000000F, 0x5000000B);
  ASSERT_TRUE(button.HasPicture());
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);  // a single click does nothing
  host.Drain();
  EXPECT_FALSE(button.Playing());
  EXPECT_TRUE(host.Reports().empty());
  EXPECT_EQ(GetWindow(button.Handle(), GW_CHILD), nullptr);
}

TEST_F(DoubleClickTestButtonTest, EveryDoubleClickReplaysTheAnimation) {
  SendMessageA(button.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
  SendMessageA(button.Handle(), WM_LBUTTONUP, 0, At(5, 5));
  host.Drain();
  EXPECT_TRUE(button.Playing());
  HWND animation = button.Animation();
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(GetParent(animation), button.Handle());
  char cls[32] = {};
  GetClassNameA(animation, cls, sizeof cls);
  EXPECT_STREQ(cls, ANIMATE_CLASSA);
  EXPECT_EQ(button.Replays(), 1);
  // The animation opened: playing it again succeeds.
  EXPECT_NE(SendMessageA(animation, skin::kAnimationPlay, 1, MAKELPARAM(0, 0xFFFF)), 0);
  SendMessageA(button.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
  SendMessageA(button.Handle(), WM_LBUTTONUP, 0, At(5, 5));
  host.Drain();
  EXPECT_EQ(button.Replays(), 2);
  EXPECT_EQ(button.Animation(), animation);  // the same control, the picture does not return
  EXPECT_TRUE(host.Reports().empty());       // nothing reaches the window
}

}  // namespace

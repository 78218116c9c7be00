// The percentage bar: its text, its return values and its inverted painting.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skininstall/percent_bar.h"

namespace skininstall::testing {
namespace {

class PercentBarTest : public ::testing::Test {
 protected:
  HWND control = nullptr;
  PercentBar bar;

  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    control = CreateWindowExA(WS_EX_TOPMOST, PROGRESS_CLASSA, "", WS_POPUP | WS_VISIBLE, 100, 100,
                              400, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(control);
    ASSERT_TRUE(bar.Attach(control));
  }
  void TearDown() override {
    if (control) DestroyWindow(control);
  }
  std::string Text() {
    char text[64] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
  }
};

TEST(PercentBarTextTest, FormatsTwoDecimals) {
  EXPECT_EQ(PercentBar::PercentText(37.5, 100.0), "37.50 %");
  EXPECT_EQ(PercentBar::PercentText(1.0, 3.0), "33.33 %");
  EXPECT_EQ(PercentBar::PercentText(5.0, 0.0), "0.00 %");
  EXPECT_EQ(PercentBar::PercentText(5.0, -2.0), "0.00 %");
}

TEST(PercentBarNoWindowTest, SetPosWithoutControlReturnsMinusOne) {
  PercentBar bar;
  EXPECT_EQ(bar.SetPos(10.0), -1.0);
}

TEST_F(PercentBarTest, SetPosReturnsThePreviousPositionAndSetsTheText) {
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(bar.SetPos(12.5), 0.0);
  EXPECT_EQ(Text(), "12.50 %");
  EXPECT_EQ(bar.SetPos(40.0), 12.5);
  bar.SetRange(0.0, 200.0);
  bar.SetPos(50.0);
  EXPECT_EQ(Text(), "25.00 %");
  SetWindowTextA(control, "custom");
  EXPECT_EQ(Text(), "custom");
  EXPECT_EQ(GetWindowTextLengthA(control), 6);
}

TEST_F(PercentBarTest, ShowHidesAndShows) {
  bar.Show(true);
  EXPECT_FALSE(IsWindowVisible(control));
  bar.Show(false);
  EXPECT_TRUE(IsWindowVisible(control));
}

// Pixels of the centre row: the filled left part in the bar colour with text in the
// background colour, the right part the other way round.
TEST_F(PercentBarTest, PaintsTheBarAndInvertsTheTextOverIt) {
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  bar.SetBarColour(red);
  bar.SetBackgroundColour(white);
  SetWindowTextA(control, "");
  bar.SetPos(50.0);
  SetWindowTextA(control, "MMMMMMMMMMMMMMMMMMMMMMMMMMMM");  // wide text across the border
  RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
  HDC dc = GetDC(control);
  int leftBar = 0, leftText = 0, rightBack = 0, rightText = 0, other = 0;
  for (int y = 5; y < 35; ++y) {
    for (int x = 0; x < 400; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      const bool left = x < 200;
      if (c == red) {
        (left ? leftBar : rightText)++;
      } else if (c == white) {
        (left ? leftText : rightBack)++;
      } else {
        ++other;
      }
    }
  }
  ReleaseDC(control, dc);
  EXPECT_GT(leftBar, leftText);
  EXPECT_GT(rightBack, rightText);
  EXPECT_GT(leftText, 50) << "text over the bar is in the background colour";
  EXPECT_GT(rightText, 50) << "text over the background is in the bar colour";
  // Anti-aliased text edges may mix the two colours; nothing else is drawn.
  EXPECT_LT(other, (leftText + rightText) * 2);
}

TEST_F(PercentBarTest, EmptyRangePaintsOnlyTheBackground) {
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  bar.SetBarColour(red);
  bar.SetBackgroundColour(white);
  bar.SetRange(10.0, 10.0);
  bar.SetPos(10.0);
  RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
  HDC dc = GetDC(control);
  EXPECT_EQ(GetPixel(dc, 5, 20), white);
  EXPECT_EQ(GetPixel(dc, 395, 20), white);
  ReleaseDC(control, dc);
}

}  // namespace
}  // namespace skininstall::testing

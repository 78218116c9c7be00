// Slider and level-bar arithmetic: the pixel/value rules of the skin controls.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

#include "skin/mask_runs.h"
#include "skin/slider_math.h"

namespace {

using namespace skin;

const SliderTravel kTrack200{0, 200, 20};

TEST(SliderMath, ThumbPlacementPutsTheMaximumAtTheTop) {
  EXPECT_EQ(ThumbTopForValue(18, 0, 18, kTrack200), 0);
  EXPECT_EQ(ThumbTopForValue(0, 0, 18, kTrack200), 180);
  EXPECT_EQ(ThumbTopForValue(9, 0, 18, kTrack200), 90);
  // Out of range means the minimum, on either side.
  EXPECT_EQ(ThumbTopForValue(25, 0, 18, kTrack200), 180);
  EXPECT_EQ(ThumbTopForValue(-1, 0, 18, kTrack200), 180);
  // Truncation of the integer arithmetic: 1..20 on a 150-pixel track with an 11-pixel thumb.
  EXPECT_EQ(ThumbTopForValue(10, 1, 20, SliderTravel{0, 150, 11}), 139 * 10 / 19);
}

TEST(SliderMath, ReleasedThumbAndTrackClickReportValues) {
  EXPECT_EQ(ValueForThumbTop(90, 0, 18, kTrack200), 9);
  EXPECT_EQ(ValueForThumbTop(0, 0, 18, kTrack200), 18);
  EXPECT_EQ(ValueForThumbTop(180, 0, 18, kTrack200), 0);
  EXPECT_EQ(ValueForTrackClick(50, 0, 18, 200), 14);
  EXPECT_EQ(ValueForTrackClick(0, 0, 18, 200), 18);
  // Below the track's end the reading is clamped before it is turned round.
  EXPECT_EQ(ValueForTrackClick(250, 0, 18, 200), 0);
  EXPECT_EQ(ValueForTrackClick(-30, 0, 18, 200), 18);
  EXPECT_EQ(ValueForTrackClick(100, 1, 20, 150), 21 - (1 + 100 * 19 / 150));
}

TEST(SliderMath, DragKeepsTheWholeThumbOnTheTravel) {
  EXPECT_EQ(DraggedThumbTop(180, -90, kTrack200), 90);
  EXPECT_EQ(DraggedThumbTop(10, -50, kTrack200), 0);
  EXPECT_EQ(DraggedThumbTop(170, 50, kTrack200), 180);
  EXPECT_EQ(DraggedThumbTop(INT_MAX - 1, INT_MAX, kTrack200), 180);
}

TEST(SliderMath, LevelBarFillAndRelease) {
  EXPECT_EQ(LevelFillWidth(3, 0, 10, 100), 30);
  EXPECT_EQ(LevelFillWidth(0, 0, 10, 100), 0);
  EXPECT_EQ(LevelFillWidth(10, 0, 10, 100), 100);
  EXPECT_EQ(LevelFillWidth(500, 100, 900, 160), 80);
  EXPECT_EQ(LevelValueAt(75, 0, 10, 100), 7);
  EXPECT_EQ(LevelValueAt(-20, 1, 18, 160), 1);   // left of the bar counts as its edge
  EXPECT_EQ(LevelValueAt(400, 1, 18, 160), 18);  // past the right end is clamped
}

TEST(SliderMath, OutOfRangeAndClampAreDifferentRules) {
  EXPECT_EQ(OutOfRangeToMin(25, 0, 18), 0);
  EXPECT_EQ(ClampInto(25, 0, 18), 18);
  EXPECT_EQ(ClampInto(-4, 0, 18), 0);
}

// A range with one value, a track no taller than its thumb or a zero-width bar would divide
// by zero; they give the minimum's place and value instead.
TEST(SliderMath, DegenerateGeometryDoesNotDivideByZero) {
  EXPECT_EQ(ThumbTopForValue(5, 5, 5, kTrack200), 180);
  EXPECT_EQ(ValueForThumbTop(0, 0, 18, SliderTravel{0, 20, 20}), 18);
  EXPECT_EQ(ValueForTrackClick(10, 0, 18, 0), 18);
  EXPECT_EQ(LevelFillWidth(3, 4, 4, 100), 0);
  EXPECT_EQ(LevelValueAt(50, 0, 10, 0), 0);
  // Extreme ranges are computed wide, without overflow.
  EXPECT_EQ(ThumbTopForValue(0, INT_MIN, INT_MAX, kTrack200), 89);  // 180 * (2^31 - 1) / (2^32 - 1)
  EXPECT_EQ(LevelValueAt(100, INT_MIN, INT_MAX, 100), INT_MAX);
}

TEST(MaskRuns, KeyBoundsFollowTheColourBytesAndStopAt255) {
  const KeyBounds white = MakeKeyBounds(0xFFFFFF, 0);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(white.low[c], 255);
    EXPECT_EQ(white.high[c], 255);
  }
  const KeyBounds b = MakeKeyBounds(0x102030, 0x0505F0);  // red 0x30, green 0x20, blue 0x10
  EXPECT_EQ(b.low[0], 0x30);
  EXPECT_EQ(b.high[0], 255);  // 0x30 + 0xF0 passes 255
  EXPECT_EQ(b.low[1], 0x20);
  EXPECT_EQ(b.high[1], 0x25);
  EXPECT_EQ(b.low[2], 0x10);
  EXPECT_EQ(b.high[2], 0x15);
}

TEST(MaskRuns, RunsAreReadTopRowFirstFromABottomUpCopy) {
  // 3 by 2, bottom-up: memory row 0 is the image's bottom row.
  const std::uint8_t w = 255;
  std::uint8_t bits[2][12] = {
      {0, 0, 0, 0, w, w, w, 0, 1, 2, 3, 0},  // bottom: window, white, window
      {w, w, 254, 0, w, w, w, 0, w, w, w, 0},  // top: near-white, white, white
  };
  const KeyBounds key = MakeKeyBounds(0xFFFFFF, 0);
  std::vector<std::array<int, 3>> runs;
  ForEachWindowRun(&bits[0][0], 3, 2, key, [&](int x0, int y, int x1) { runs.push_back({x0, y, x1}); });
  const std::vector<std::array<int, 3>> expected = {{0, 0, 1}, {0, 1, 1}, {2, 1, 3}};
  EXPECT_EQ(runs, expected);
}

}  // namespace

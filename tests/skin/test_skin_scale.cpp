// The scale rule shared with the skin generator, the paths of the scaled sets, and resampling.
#include <gtest/gtest.h>

#include "skin/resample.h"
#include "skin/skin_scale.h"

namespace {

TEST(SkinScale, LengthsRoundToTheNearestPixelAsTheGeneratorDoes) {
  struct Row {
    int v, to, from, expected;
  } rows[] = {
      {680, 150, 100, 1020}, {19, 150, 100, 29},  // 28.5 rounds up
      {19, 125, 100, 24},    {13, 175, 100, 23},   // 23.75
      {601, 200, 100, 1202}, {-7, 150, 100, -11},  // halves away from zero on both sides
      {29, 150, 150, 29},    {30, 100, 150, 20},    // a set at its own scale; shrinking
      {5, 150, 0, 5},                               // no source scale: unchanged
  };
  for (const Row& r : rows) EXPECT_EQ(skin::ScaleLength(r.v, r.to, r.from), r.expected) << r.v << " " << r.to;
  const skin::SkinScale fallback{150, 100}, drawn{150, 150};
  EXPECT_TRUE(fallback.ScalesPictures());
  EXPECT_FALSE(drawn.ScalesPictures());
  EXPECT_EQ(drawn.FromSet(29), 29);
  EXPECT_EQ(drawn.FromBase(19), 29);
}

TEST(SkinScale, SetsLieInAFolderNamedAfterTheirPercentage) {
  EXPECT_EQ(skin::ScaledSetPath("skins\\skin_menu.ini", 150), "skins\\150\\skin_menu.ini");
  EXPECT_EQ(skin::ScaledSetPath("skins\\skin_menu.ini", 100), "skins\\skin_menu.ini");
  EXPECT_EQ(skin::ScaledSetPath("other\\skin_menu.ini", 150), "other\\skin_menu.ini");
  EXPECT_EQ(skin::ScaledFixedPicturePath("skins\\logo area.bmp", 200), "skins\\200\\logo area.png");
  EXPECT_EQ(skin::ScaledFixedPicturePath("skins\\sub.d\\arrow", 125), "skins\\125\\sub.d\\arrow.png");
}

skin::Pixels HalfWhite() {  // 4 by 2: left half black, right half pure white
  return skin::Pixels{4, 2, {0, 0, 0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF}};
}

TEST(SkinScale, MasksKeepHardEdgesAndFacesBlendThem) {
  const skin::Pixels mask = skin::ResampleNearest(HalfWhite(), 6, 3);
  ASSERT_EQ(mask.data.size(), 18u);
  for (std::uint32_t p : mask.data) EXPECT_TRUE(p == 0 || p == 0xFFFFFF) << std::hex << p;
  EXPECT_EQ(mask.data[0], 0u);
  EXPECT_EQ(mask.data[5], 0xFFFFFFu);

  const skin::Pixels face = skin::ResampleSmooth(HalfWhite(), 6, 3);
  ASSERT_EQ(face.width, 6);
  ASSERT_EQ(face.height, 3);
  EXPECT_EQ(face.data[0], 0u);           // far from the edge the colours stay
  EXPECT_EQ(face.data[5], 0xFFFFFFu);
  const std::uint32_t edge = face.data[2] & 0xFF;  // beside the edge: between the two
  EXPECT_GT(edge, 0u);
  EXPECT_LT(edge, 255u);
  EXPECT_TRUE(skin::ResampleSmooth(HalfWhite(), 0, 3).data.empty());
}

}  // namespace

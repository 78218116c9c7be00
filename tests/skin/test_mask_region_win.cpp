// MaskToRegion on real bitmaps: the rectangles handed to each region call and the final region.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "skin/mask_region.h"
#include "skin_test_support.h"
#include "win32/raii.h"

namespace {

using skintest::MakeBitmap;
using skintest::RegionRects;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Counts the region calls and keeps the rectangles of every batch, then lets GDI do the work.
class RecordingCalls : public skin::RegionCalls {
 public:
  HRGN Create(const RGNDATA* data, DWORD size) override {
    sizes.push_back(size);
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    batches.emplace_back(r, r + data->rdh.nCount);
    bounds.push_back(data->rdh.rcBound);
    return RegionCalls::Create(data, size);
  }
  int Combine(HRGN target, HRGN a, HRGN b, int mode) override {
    ++combines;
    EXPECT_EQ(mode, RGN_OR);
    return RegionCalls::Combine(target, a, b, mode);
  }
  std::vector<std::vector<RECT>> batches;
  std::vector<DWORD> sizes;
  std::vector<RECT> bounds;
  int combines = 0;
};

long Area(const std::vector<RECT>& rects) {
  long a = 0;
  for (const RECT& r : rects) a += (r.right - r.left) * (r.bottom - r.top);
  return a;
}

TEST(MaskToRegion, NoBitmapGivesNoRegion) {
  EXPECT_EQ(skin::MaskToRegion(nullptr, kWhite, 0), nullptr);
}

TEST(MaskToRegion, AllWhiteMaskGivesAnEmptyRegion) {
  win::Bitmap mask(skintest::MakeSolidBitmap(64, 48, kWhite));
  RecordingCalls calls;
  win::Region region(skin::MaskToRegion(mask.Get(), kWhite, 0, calls));
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
  EXPECT_TRUE(RegionRects(region.Get()).empty());
  // One final call with an empty batch, nothing combined.
  ASSERT_EQ(calls.batches.size(), 1u);
  EXPECT_TRUE(calls.batches[0].empty());
  EXPECT_EQ(calls.combines, 0);
}

TEST(MaskToRegion, MaskWithoutWhiteGivesOneRectanglePerRowCoveringTheWindow) {
  win::Bitmap mask(skintest::MakeSolidBitmap(40, 30, RGB(10, 200, 30)));
  RecordingCalls calls;
  win::Region region(skin::MaskToRegion(mask.Get(), kWhite, 0, calls));
  ASSERT_TRUE(region);
  ASSERT_EQ(calls.batches.size(), 1u);
  const std::vector<RECT>& rows = calls.batches[0];
  ASSERT_EQ(rows.size(), 30u);
  for (int y = 0; y < 30; ++y) {
    EXPECT_EQ(rows[y].left, 0);
    EXPECT_EQ(rows[y].top, y);
    EXPECT_EQ(rows[y].right, 40);
    EXPECT_EQ(rows[y].bottom, y + 1);
  }
  EXPECT_EQ(calls.bounds[0].left, 0);
  EXPECT_EQ(calls.bounds[0].bottom, 30);
  // The final region may merge the rows; it covers the window exactly.
  const std::vector<RECT> rects = RegionRects(region.Get());
  EXPECT_EQ(Area(rects), 40 * 30);
  RECT box{};
  GetRgnBox(region.Get(), &box);
  EXPECT_EQ(box.right, 40);
  EXPECT_EQ(box.bottom, 30);
}

TEST(MaskToRegion, CheckerboardIsMadeIn77BatchesAndKeepsEveryPixel) {
  const int w = 640, h = 480;
  win::Bitmap mask(MakeBitmap(w, h, [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; }));
  RecordingCalls calls;
  win::Region region(skin::MaskToRegion(mask.Get(), kWhite, 0, calls));
  ASSERT_TRUE(region);
  ASSERT_EQ(calls.batches.size(), 77u);
  for (std::size_t i = 0; i < 76; ++i) EXPECT_EQ(calls.batches[i].size(), 2000u) << i;
  EXPECT_EQ(calls.batches[76].size(), 1600u);
  EXPECT_EQ(calls.combines, 76);
  // The buffer grew in steps of 100 up to the batch size: 32 + 16 * 2000 bytes.
  EXPECT_EQ(calls.sizes[0], 32u + 16u * 2000u);

  const std::vector<RECT> rects = RegionRects(region.Get());
  ASSERT_EQ(rects.size(), 153600u);
  long wrong = 0;
  for (const RECT& r : rects) {
    const bool dot = r.right == r.left + 1 && r.bottom == r.top + 1;
    if (!dot || (r.left + r.top) % 2 != 0) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

// One row of pixels against a key and a tolerance: the runs that are inside.
TEST(MaskToRegion, OnlyPixelsOutsideTheKeyAndItsToleranceAreInside) {
  struct Case {
    const char* what;
    std::vector<COLORREF> row;
    COLORREF key, tolerance;
    std::vector<std::pair<int, int>> runs;
  };
  const Case cases[] = {
      {"only pure white is outside",
       {kWhite, RGB(254, 255, 255), kWhite, RGB(255, 255, 254), RGB(255, 254, 255)}, kWhite, 0,
       {{1, 2}, {3, 5}}},
      {"a tolerance of 10 per channel around (200,200,200): 205 is outside, 211 inside",
       {RGB(205, 205, 205), RGB(211, 205, 205), RGB(210, 210, 210), RGB(199, 200, 200)},
       RGB(200, 200, 200), RGB(10, 10, 10), {{1, 2}, {3, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win::Bitmap mask(MakeBitmap(static_cast<int>(c.row.size()), 1, [&](int x, int) { return c.row[x]; }));
    win::Region region(skin::MaskToRegion(mask.Get(), c.key, c.tolerance));
    ASSERT_TRUE(region);
    std::vector<std::pair<int, int>> runs;
    for (const RECT& r : RegionRects(region.Get())) runs.emplace_back(r.left, r.right);
    EXPECT_EQ(runs, c.runs);
  }
}

// A white frame around a rectangle, in each kind of bitmap a mask arrives as: a screen-compatible
// one (pictures of other depths end up so), and the DIB sections a skin's pictures are read into,
// either way up. The mask is read in bands of rows: 45 rows make a whole band and part of one.
TEST(MaskToRegion, EveryKindOfMaskBitmapIsReadTheSameWay) {
  const auto section = [](int bits, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 31, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  };
  HDC screen = GetDC(nullptr);
  const std::pair<const char*, HBITMAP> masks[] = {
      {"compatible", CreateCompatibleBitmap(screen, 31, 45)},
      {"24-bit bottom-up", section(24, 45)},
      {"24-bit top-down", section(24, -45)},
      {"32-bit bottom-up", section(32, 45)},
  };
  ReleaseDC(nullptr, screen);
  for (const auto& [kind, bitmap] : masks) {
    SCOPED_TRACE(kind);
    win::Bitmap mask(bitmap);
    ASSERT_TRUE(mask);
    {
      win::MemoryDc dc(CreateCompatibleDC(nullptr));
      win::SelectScope select(dc.Get(), mask.Get());
      RECT all{0, 0, 31, 45}, inner{5, 3, 25, 40};
      FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      FillRect(dc.Get(), &inner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    win::Region region(skin::MaskToRegion(mask.Get(), kWhite, 0));
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 25);
    EXPECT_EQ(box.bottom, 40);
  }
}

}  // namespace

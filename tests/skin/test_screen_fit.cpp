// Screen fit: a panel or menu stays where it was when it fits, goes to the other side of its
// owner when that fits, and is shifted inside the work area last.
#include <gtest/gtest.h>

#include <tuple>

#include "skin/screen_fit.h"

namespace {

using skin::SkinRect;
using skin::Turn;

auto Tied(const SkinRect& r, bool x, bool y) { return std::tuple(r.left, r.top, r.right, r.bottom, x, y); }

TEST(ScreenFit, AsItStandsMirroredOrShiftedInside) {
  const SkinRect work{0, 0, 1280, 1000}, main{300, 316, 980, 708}, atRight{600, 316, 1280, 708};
  const struct { const char* what; SkinRect wanted, owner; Turn turn; SkinRect rect; bool x, y; } kCases[] = {
      {"fits", {980, 327, 1220, 627}, main, Turn::Sideways, {980, 327, 1220, 627}, false, false},
      {"right edge", {1280, 327, 1520, 627}, atRight, Turn::Sideways, {360, 327, 600, 627}, true, false},
      {"may not turn", {1280, 327, 1520, 627}, atRight, Turn::Never, {1040, 327, 1280, 627}, false, false},
      {"left edge", {-232, 351, 0, 607}, {0, 316, 680, 708}, Turn::Sideways, {680, 351, 912, 607}, true, false},
      {"no room either side", {1200, 10, 1440, 310}, {100, 0, 1200, 392}, Turn::Sideways, {1040, 10, 1280, 310}, false, false},
      {"panel lifted", {980, 811, 1220, 1111}, {300, 800, 980, 1192}, Turn::Sideways, {980, 700, 1220, 1000}, false, false},
      {"menu in the corner", {1200, 980, 1400, 1300}, {1200, 950, 1260, 980}, Turn::SidewaysAndUp, {1060, 630, 1260, 950}, true, true},
      {"larger than the work area", {-100, -50, 1400, 1100}, {0, 0, 10, 10}, Turn::SidewaysAndUp, {0, 0, 1500, 1150}, false, false},
  };
  for (const auto& c : kCases) {
    const skin::Fitted fitted = skin::FitInWork(c.wanted, c.owner, work, c.turn);
    EXPECT_EQ(Tied(fitted.rect, fitted.mirroredX, fitted.mirroredY), Tied(c.rect, c.x, c.y)) << c.what;
  }
}

}  // namespace

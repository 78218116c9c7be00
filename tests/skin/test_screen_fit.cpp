// Screen fit: a panel or menu stays where it was when it fits, goes to the other side of its
// owner when that fits, and is shifted inside the work area last.
#include <gtest/gtest.h>

#include <array>

#include "skin/screen_fit.h"

namespace {

using skin::SkinRect;
using skin::Turn;

TEST(ScreenFit, AsItStandsMirroredOrShiftedInside) {
  const SkinRect work{0, 0, 1280, 1000};
  const struct {
    const char* what;
    SkinRect wanted, owner, work;
    Turn turn;
    SkinRect rect;
    bool mirroredX, mirroredY;
  } kCases[] = {
      {"panel that fits", {980, 327, 1220, 627}, {300, 316, 980, 708}, work, Turn::Sideways, {980, 327, 1220, 627}, false, false},
      {"panel at the right edge", {1280, 327, 1520, 627}, {600, 316, 1280, 708}, work, Turn::Sideways, {360, 327, 600, 627}, true, false},
      {"panel at the left edge", {-232, 351, 0, 607}, {0, 316, 680, 708}, work, Turn::Sideways, {680, 351, 912, 607}, true, false},
      {"panel that may not turn", {1280, 327, 1520, 627}, {600, 316, 1280, 708}, work, Turn::Never, {1040, 327, 1280, 627}, false, false},
      {"no room on either side", {1200, 10, 1440, 310}, {100, 0, 1200, 392}, work, Turn::Sideways, {1040, 10, 1280, 310}, false, false},
      {"panel below the bottom is lifted", {980, 811, 1220, 1111}, {300, 800, 980, 1192}, work, Turn::Sideways, {980, 700, 1220, 1000}, false, false},
      {"menu at the bottom opens up", {500, 980, 700, 1300}, {500, 950, 600, 980}, work, Turn::SidewaysAndUp, {500, 630, 700, 950}, false, true},
      {"menu at the right opens left", {1200, 420, 1400, 740}, {1200, 400, 1260, 420}, work, Turn::SidewaysAndUp, {1060, 420, 1260, 740}, true, false},
      {"menu in the corner", {1200, 980, 1400, 1300}, {1200, 950, 1260, 980}, work, Turn::SidewaysAndUp, {1060, 630, 1260, 950}, true, true},
      {"menu too tall for either side", {10, 500, 110, 1100}, {10, 480, 60, 500}, work, Turn::SidewaysAndUp, {10, 400, 110, 1000}, false, false},
      {"larger than the work area keeps its corner", {-100, -50, 1400, 1100}, {0, 0, 10, 10}, work, Turn::SidewaysAndUp, {0, 0, 1500, 1150}, false, false},
      {"monitor left of the first", {0, 327, 240, 627}, {-680, 316, 0, 708}, {-1280, 0, 0, 1024}, Turn::Sideways, {-920, 327, -680, 627}, true, false},
  };
  for (const auto& c : kCases) {
    const skin::Fitted fitted = skin::FitInWork(c.wanted, c.owner, c.work, c.turn);
    EXPECT_EQ((std::array{fitted.rect.left, fitted.rect.top, fitted.rect.right, fitted.rect.bottom}),
              (std::array{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom})) << c.what;
    EXPECT_EQ(fitted.mirroredX, c.mirroredX) << c.what;
    EXPECT_EQ(fitted.mirroredY, c.mirroredY) << c.what;
  }
}

}  // namespace

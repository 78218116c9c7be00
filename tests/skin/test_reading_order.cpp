// The keyboard's way through a skinned window: reading order of the controls, Tab round from
// the last to the first, and the keys that move a slider.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "skin/reading_order.h"
#include "skin/slider_math.h"

namespace {

using namespace skin;

constexpr FocusStop Stop(int left, int top, bool available = true) {
  return FocusStop{SkinRect{left, top, left + 20, top + 10}, available};
}

struct OrderCase {
  const char* what;
  std::vector<FocusStop> stops;
  std::vector<std::size_t> order;
};

TEST(ReadingOrder, TopToBottomThenLeftToRightOfTheAvailableOnes) {
  const OrderCase cases[] = {
      {"made bottom first", {Stop(0, 50), Stop(0, 10), Stop(0, 30)}, {1, 2, 0}},
      {"one row, made right to left", {Stop(90, 5), Stop(40, 5), Stop(10, 5)}, {2, 1, 0}},
      {"rows before columns", {Stop(100, 0), Stop(0, 40), Stop(0, 0), Stop(100, 40)}, {2, 0, 1, 3}},
      {"hidden or disabled left out", {Stop(0, 0, false), Stop(0, 10), Stop(5, 10, false)}, {1}},
      {"one place keeps the making order", {Stop(7, 7), Stop(7, 7)}, {0, 1}},
      {"none available", {Stop(0, 0, false)}, {}},
      {"none", {}, {}},
  };
  for (const OrderCase& c : cases) EXPECT_EQ(ReadingOrder(c.stops), c.order) << c.what;
}

struct StepCase {
  const char* what;
  std::optional<std::size_t> from;
  bool backward;
  std::optional<std::size_t> to;
};

TEST(ReadingOrder, TabGoesRoundAndSkipsWhatCannotTakeTheFocus) {
  // Reading order: 3, 0, 2 (1 is disabled).
  const std::vector<FocusStop> stops{Stop(50, 0), Stop(0, 20, false), Stop(0, 40), Stop(0, 0)};
  const StepCase cases[] = {
      {"from outside, forward: the first", std::nullopt, false, 3},
      {"from outside, backward: the last", std::nullopt, true, 2},
      {"forward", 3, false, 0},
      {"forward from the last: round to the first", 2, false, 3},
      {"backward from the first: round to the last", 3, true, 2},
      {"backward", 2, true, 0},
      {"from one that is disabled: as from outside", 1, false, 3},
  };
  for (const StepCase& c : cases) EXPECT_EQ(NextStop(stops, c.from, c.backward), c.to) << c.what;
  EXPECT_EQ(NextStop(std::vector<FocusStop>{Stop(0, 0, false)}, std::nullopt, false), std::nullopt);
  EXPECT_EQ(NextStop(std::vector<FocusStop>{Stop(0, 0)}, 0, false), 0u) << "a single stop stays";
}

struct KeyCase {
  const char* what;
  unsigned key;
  int value, min, max;
  std::optional<int> result;
};

TEST(SliderKeys, ArrowsPagesHomeAndEnd) {
  const KeyCase cases[] = {
      {"Up", 38, 5, 0, 18, 6},           {"Right", 39, 5, 0, 18, 6},
      {"Down", 40, 5, 0, 18, 4},         {"Left", 37, 5, 0, 18, 4},
      {"Up at the top", 38, 18, 0, 18, 18}, {"Down at the bottom", 40, 0, 0, 18, 0},
      {"Page Up: a tenth", 33, 100, 100, 900, 180}, {"Page Down: a tenth", 34, 500, 100, 900, 420},
      {"Page Up of a short range: one", 33, 3, 0, 5, 4}, {"Page Down past the end", 34, 105, 100, 900, 100},
      {"Home: the minimum", 36, 9, 1, 18, 1}, {"End: the maximum", 35, 9, 1, 18, 18},
      {"out of range comes in first", 38, 40, 0, 18, 18}, {"Tab moves no slider", 9, 5, 0, 18, std::nullopt},
      {"an empty range", 38, 0, 5, 4, std::nullopt},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(SteppedValue(c.key, c.value, c.min, c.max), c.result) << c.what;
}

}  // namespace

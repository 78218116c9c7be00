// Slide steps: a slide moves evenly with the time and ends at its end, opening or closing.
#include <gtest/gtest.h>

#include "app/slide_steps.h"

namespace {

TEST(SlideSteps, TheWidthFollowsTheTimeAndStopsAtTheEnd) {
  const struct {
    int from, to;
    long long elapsed;
    int duration, width;
  } kCases[] = {
      {16, 241, 0, 150, 16},      // nothing has passed
      {16, 241, -5, 150, 16},     // a clock that went back
      {16, 241, 75, 150, 128},    // half way, rounded towards the start
      {16, 241, 149, 150, 239},
      {16, 241, 150, 150, 241},   // the end on time
      {16, 241, 4000, 150, 241},  // a late tick ends it
      {241, 16, 10, 150, 226},    // closing moves the other way
      {241, 16, 75, 150, 129},
      {241, 16, 151, 150, 16},
      {16, 16, 50, 150, 16},      // a panel no wider than its minimum
      {16, 241, 1, 0, 241},       // no duration: at once
  };
  for (const auto& c : kCases)
    EXPECT_EQ(app::SlideWidthAt(c.from, c.to, c.elapsed, c.duration), c.width)
        << c.from << "->" << c.to << " after " << c.elapsed;
}

}  // namespace

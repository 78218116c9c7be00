// The progress redraw pacing: the first step, a new whole percentage after 16 ms, and the end.
#include <gtest/gtest.h>

#include "skininstall/redraw_pacer.h"

namespace {

TEST(RedrawPacer, RedrawsAtTheFirstStepOnANewPercentageAfterAnIntervalAndAtTheEnd) {
  skininstall::RedrawPacer pacer;
  const struct {
    double percent;
    long long ms;
    bool due;
  } kSteps[] = {
      {0.01, 1000, true},    // the first step always shows
      {0.02, 1001, false},   // soon after
      {5.00, 1015, false},   // a new percentage alone is not enough
      {5.10, 1016, true},    // 16 ms since the last redraw
      {5.90, 1100, false},   // long after, but still 5 %
      {6.00, 1101, true},
      {7.00, 1110, false},   // a new percentage too soon
      {99.99, 1131, true},
      {99.99, 1140, false},
      {100.0, 1141, true},   // the end always shows
  };
  for (const auto& s : kSteps) EXPECT_EQ(pacer.Due(s.percent, s.ms), s.due) << s.percent << " at " << s.ms;
}

}  // namespace

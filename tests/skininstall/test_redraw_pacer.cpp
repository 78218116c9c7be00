// The progress redraw pacing: the first step, a new whole percentage, 16 ms, and the end.
#include <gtest/gtest.h>

#include "skininstall/redraw_pacer.h"

namespace {

TEST(RedrawPacer, RedrawsOnANewWholePercentAfterAnIntervalAndAtTheEnd) {
  skininstall::RedrawPacer pacer;
  const struct {
    double percent;
    long long ms;
    bool due;
  } kSteps[] = {
      {0.01, 1000, true},    // the first step always shows
      {0.02, 1001, false},   // the same whole percent, soon after
      {0.99, 1015, false},
      {1.00, 1015, true},    // a new whole percent
      {1.50, 1030, false},
      {1.60, 1031, true},    // 16 ms since the last redraw
      {99.99, 1032, true},
      {99.995, 1033, false},
      {100.0, 1033, true},   // the end always shows
  };
  for (const auto& s : kSteps) EXPECT_EQ(pacer.Due(s.percent, s.ms), s.due) << s.percent << " at " << s.ms;
}

}  // namespace

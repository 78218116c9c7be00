// Where a panel slide stands after a given time: the width moves evenly from its start to its
// end over a fixed duration, so a slide takes as long whatever the timer's resolution.
#pragma once

#include <cstdint>

namespace app {

constexpr int kSlideMilliseconds = 150;

// The width after elapsedMs: from at 0, to once the duration has passed (and for a duration
// of 0 or less), evenly in between, rounded towards from.
int SlideWidthAt(int from, int to, std::int64_t elapsedMs, int durationMs = kSlideMilliseconds);

}  // namespace app

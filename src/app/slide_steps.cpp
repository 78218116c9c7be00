// Slide steps: the width a slide has reached after a time.
#include "app/slide_steps.h"

namespace app {

int SlideWidthAt(int from, int to, std::int64_t elapsedMs, int durationMs) {
  if (durationMs <= 0 || elapsedMs >= durationMs) return to;
  if (elapsedMs <= 0) return from;
  const std::int64_t moved = static_cast<std::int64_t>(to - from) * elapsedMs / durationMs;
  return from + static_cast<int>(moved);
}

}  // namespace app

// RedrawPacer: the first step, a new whole percentage after the interval, and the end.
#include "skininstall/redraw_pacer.h"

namespace skininstall {

bool RedrawPacer::Due(double percent, std::int64_t nowMs) {
  const int whole = static_cast<int>(percent);
  const bool due = !drawn_ || percent >= 100.0 || (nowMs - lastMs_ >= kIntervalMs && whole != lastWhole_);
  if (due) {
    drawn_ = true;
    lastMs_ = nowMs;
    lastWhole_ = whole;
  }
  return due;
}

}  // namespace skininstall

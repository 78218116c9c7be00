// RedrawPacer: the first step, the interval and the end.
#include "skininstall/redraw_pacer.h"

namespace skininstall {

bool RedrawPacer::Due(double percent, std::int64_t nowMs) {
  const bool due = !drawn_ || percent >= 100.0 || nowMs - lastMs_ >= kIntervalMs;
  if (due) {
    drawn_ = true;
    lastMs_ = nowMs;
  }
  return due;
}

}  // namespace skininstall

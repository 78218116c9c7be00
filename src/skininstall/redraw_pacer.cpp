// RedrawPacer: the whole percentage, the interval and the end.
#include "skininstall/redraw_pacer.h"

namespace skininstall {

bool RedrawPacer::Due(double percent, std::int64_t nowMs) {
  const int whole = static_cast<int>(percent);
  const bool due = !drawn_ || whole != lastPercent_ || percent >= 100.0 ||
                   nowMs - lastMs_ >= kIntervalMs;
  if (due) {
    drawn_ = true;
    lastPercent_ = whole;
    lastMs_ = nowMs;
  }
  return due;
}

}  // namespace skininstall

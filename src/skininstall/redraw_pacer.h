// RedrawPacer: whether a progress display is due a redraw. Drawing it for every entry of a
// package of many small files cost more than writing them; a redraw is due at the first step,
// at the end, and in between when the whole percentage has moved on and 16 ms (about a frame
// of the screen) have passed since the last one: a long install draws about a hundred times,
// a short one at most once a frame.
#pragma once

#include <cstdint>

namespace skininstall {

class RedrawPacer {
 public:
  static constexpr std::int64_t kIntervalMs = 16;

  // percent: 0 to 100 of the work done; nowMs: any steady clock in milliseconds.
  bool Due(double percent, std::int64_t nowMs);

 private:
  bool drawn_ = false;
  std::int64_t lastMs_ = 0;
  int lastWhole_ = 0;
};

}  // namespace skininstall

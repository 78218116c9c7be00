// RedrawPacer: whether a progress display is due a redraw. Drawing it for every entry of a
// package of many small files cost more than writing them; a redraw is due at the first step,
// once 16 ms have passed since the last one (about a frame of the screen), and at the end.
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
};

}  // namespace skininstall

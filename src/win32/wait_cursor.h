// WaitCursor: the hourglass while something slow runs on the interface thread.
#pragma once

#include <windows.h>

namespace win {

// Shows the wait cursor while it lives, then the cursor that was there before.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace win

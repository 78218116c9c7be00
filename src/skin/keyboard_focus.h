// The keyboard in a skinned window: Tab and Shift+Tab move the focus among its controls in
// reading order, Space and Enter press the focused button, and the arrow and paging keys move
// the focused slider.
#pragma once

#include <windows.h>

#include <span>

namespace skin {

// A control that the arrow, paging, Home and End keys move.
class SteppedControl {
 public:
  // True when key moved the control (or would have, at its end).
  virtual bool OnStepKey(UINT key) = 0;

 protected:
  ~SteppedControl() = default;
};

// A skin button, a stepped control, or another control in the tab order (WS_TABSTOP).
bool TakesKeyboardFocus(HWND control);

// What the window lets the keyboard do besides moving the focus.
struct FocusKeys {
  bool enterPresses = true;  // Enter presses the focused button, as Space does
};

// Handles a key message of window (whose controls are listed) that moves the focus or acts
// on the focused control. True: the key was used and goes no further.
bool HandleFocusKey(HWND window, std::span<const HWND> controls, const MSG& msg, FocusKeys keys);

}  // namespace skin

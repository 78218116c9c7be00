// How skin controls make their windows: our own plain class, bound to a win::Window object.
#pragma once

#include <windows.h>

#include "win32/window.h"

namespace skin {

// A length the program fixes at 100 percent, at the display scale of window's monitor.
int PxFor(HWND window, int length);

// Loads the common controls and registers the classes the skin uses (tooltip, animation) once
// per process; called before the first such control is made, not at start-up.
void EnsureCommonControls();

// A child of our plain control class (no background brush, no double clicks).
bool CreatePlainControl(win::Window& control, DWORD style, const RECT& rect, HWND parent, int id);

}  // namespace skin

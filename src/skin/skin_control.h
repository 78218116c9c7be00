// How skin controls make their windows: our own plain class, or a system control subclassed,
// both bound to a win::Window object.
#pragma once

#include <windows.h>

#include "win32/window.h"

namespace skin {

// Registers the common control classes the skin uses (tooltip, animation) once per process.
void EnsureCommonControls();

// A child of our plain control class (no background brush, no double clicks).
bool CreatePlainControl(win::Window& control, DWORD style, const RECT& rect, HWND parent, int id);
// A child of a system class ("BUTTON"), subclassed by control.
bool CreateSystemControl(win::Window& control, const char* className, DWORD style,
                         const RECT& rect, HWND parent, int id);

}  // namespace skin

// Display scale: the DPI a window is shown at, and pixel sizes scaled to it. The programs declare
// per-monitor awareness, so Windows 10 and later tell each window its own monitor's DPI; Windows 7
// and 8 have one system DPI, which the screen's device context reports.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/raii.h"

namespace win {

constexpr UINT kBaseDpi = 96;

// The DPI of the monitor window is on (the system DPI where a window cannot tell).
UINT WindowDpi(HWND window);
// The system DPI: what a window that is not yet made will most likely be shown at.
UINT SystemDpi();
// Our own WM_DPICHANGED handler lays the dialog out again: Windows 10 (1703 and later) is told not
// to rescale the dialog and its controls from their template as well.
void TakeOverDpiChanges(HWND dialog);
// A length given at 96 DPI, at dpi (rounded to the nearest pixel, as MulDiv rounds).
inline int ScaleToDpi(int length, UINT dpi) {
  return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}
// The scale of dpi in percent (96 -> 100, 144 -> 150).
inline int DpiPercent(UINT dpi) { return MulDiv(static_cast<int>(dpi), 100, kBaseDpi); }
// A system metric at dpi (GetSystemMetricsForDpi where the system has it).
int SystemMetricForDpi(int index, UINT dpi);

// A window's title-bar and taskbar icons, each loaded by load(size) at its own size for dpi
// rather than shrunk from another; the window shows them before the old ones go.
struct WindowIcons {
  Icon big, small;
  void Load(HWND window, UINT dpi, const std::function<HICON(int size)>& load);
};

}  // namespace win

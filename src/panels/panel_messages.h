// The messages the main window accepts, from its panels and dialogs and from other programs,
// with their codes.
#pragma once

#include <windows.h>

namespace panels {

// A panel or dialog asks the main window for something: lParam = a PanelCode, wParam unused.
constexpr UINT kPanelMessage = WM_USER + 10;  // 1034
// A slide has ended: lParam = the code of the request that started it.
constexpr UINT kPanelStateMessage = WM_USER + 20;  // 1044

// ReadSpeeds again into the current record and the baseline.
constexpr UINT kReadSpeedsMessage = WM_USER + 200;  // 1224
// Recompute the firmware version text; answers 1.
constexpr UINT kFirmwareMessage = WM_USER + 258;  // 1282
// Reload all records from the profile file (after an import or a reset).
constexpr UINT kReloadMessage = WM_USER + 261;  // 1285
// Does nothing; answers 0.
constexpr UINT kIdleMessage = WM_USER + 273;  // 1297
// wParam non-zero: the wait cursor; zero: the arrow.
constexpr UINT kCursorMessage = WM_USER + 274;  // 1298

enum PanelCode : int {
  kCodeSave = 12,
  kCodeWebPage = 18,
  kCodeWebPageToo = 20,
  kCodeHelp = 22,
  kCodeOpenSensitivity = 30,
  kCodeCloseSensitivity = 32,
  kCodeOpenAdvanced = 34,
  kCodeCloseAdvanced = 36,
  kCodeOpenKeys = 38,
  kCodeCloseKeys = 40,
};

// Posts a request to the main window.
inline void PostPanelCode(HWND mainWindow, PanelCode code) {
  if (mainWindow) PostMessageA(mainWindow, kPanelMessage, 0, code);
}

}  // namespace panels

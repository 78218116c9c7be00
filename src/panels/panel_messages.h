// The messages panels and dialogs send the main window, with their codes.
#pragma once

#include <windows.h>

namespace panels {

// A panel or dialog asks the main window for something: lParam = a PanelCode, wParam unused.
constexpr UINT kPanelMessage = WM_USER + 10;  // 1034
// A slide has ended: lParam = the code of the request that started it.
constexpr UINT kPanelStateMessage = WM_USER + 20;  // 1044

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

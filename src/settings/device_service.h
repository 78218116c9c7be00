// The link to the device service: its window "MouseHid" and the four reload messages.
#pragma once

#include <windows.h>

namespace settings {

constexpr UINT kServiceReloadGeneral = WM_USER + 250;   // 1274, posted
constexpr UINT kServiceReloadProfiles = WM_USER + 251;  // 1275, sent
constexpr UINT kServiceReloadAll = WM_USER + 255;       // 1279, sent
constexpr UINT kServiceReloadSwitches = WM_USER + 260;  // 1284, posted

extern const char kServiceWindowTitle[];  // "MouseHid"

// The service window, or null when the service does not run.
HWND FindServiceWindow();

// Each does nothing when `service` is null.
void PostToService(HWND service, UINT message);
void SendToService(HWND service, UINT message);

}  // namespace settings

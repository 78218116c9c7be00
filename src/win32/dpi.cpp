// Display scale through the functions of Windows 10, looked up at run time so that the programs
// still start on Windows 7 and 8.
#include "win32/dpi.h"

#include "win32/lazy_function.h"

namespace win {

namespace {

LazyFunction<UINT(HWND)> getDpiForWindow("user32.dll", "GetDpiForWindow");
LazyFunction<UINT()> getDpiForSystem("user32.dll", "GetDpiForSystem");
LazyFunction<int(int, UINT)> getSystemMetricsForDpi("user32.dll", "GetSystemMetricsForDpi");
// DIALOG_DPI_CHANGE_BEHAVIORS: DDC_DISABLE_ALL = 1.
LazyFunction<BOOL(HWND, int, int)> setDialogDpiChangeBehavior("user32.dll", "SetDialogDpiChangeBehavior");

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
  if (auto forWindow = getDpiForWindow.Get(); forWindow && window) {
    if (const UINT dpi = forWindow(window)) return dpi;
  }
  return SystemDpi();
}

UINT SystemDpi() {
  if (auto forSystem = getDpiForSystem.Get()) {
    if (const UINT dpi = forSystem()) return dpi;
  }
  return ScreenDpi();
}

void TakeOverDpiChanges(HWND dialog) {
  constexpr int kDisableAll = 1;
  if (auto set = setDialogDpiChangeBehavior.Get()) set(dialog, kDisableAll, kDisableAll);
}

int SystemMetricForDpi(int index, UINT dpi) {
  if (auto forDpi = getSystemMetricsForDpi.Get()) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void WindowIcons::Load(HWND window, UINT dpi, const std::function<HICON(int size)>& load) {
  Icon newBig(load(SystemMetricForDpi(SM_CXICON, dpi))), newSmall(load(SystemMetricForDpi(SM_CXSMICON, dpi)));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.Get()));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.Get()));
  big = std::move(newBig);
  small = std::move(newSmall);
}

}  // namespace win

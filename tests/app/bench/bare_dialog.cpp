// The yardstick of the start-up benchmark: the smallest dialog program, one empty template.
#include <windows.h>

#include "bare_dialog.h"

namespace {
INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    EndDialog(hwnd, 0);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_BARE), nullptr, Procedure, 0));
}

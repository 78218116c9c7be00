// A program of the tests (not shipped) that shows one window and comes to the front when told:
//   FrontProbe.exe TITLE
// The tests copy it under the names their rules use ("photoedit.exe"). On WM_APP it makes its
// window the foreground window and reports EVENT_SYSTEM_FOREGROUND for it, which Windows reports
// by itself and Wine 8 does not. It ends on WM_CLOSE.
#include <windows.h>

namespace {

constexpr UINT kComeForward = WM_APP;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kComeForward:
      SetForegroundWindow(hwnd);
      NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
      return GetForegroundWindow() == hwnd;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = ProbeProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  cls.lpszClassName = "FrontProbe";
  RegisterClassA(&cls);
  HWND hwnd = CreateWindowExA(0, cls.lpszClassName, argc > 1 ? argv[1] : "Front probe",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 80, 320, 200, nullptr, nullptr,
                              cls.hInstance, nullptr);
  if (!hwnd) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

// A program of the tests (not shipped) that shows one window and comes to the front when told:
//   FrontProbe.exe TITLE
// The tests copy it under the names their rules use ("photoedit.exe"). On WM_APP it makes its
// window the foreground window and reports EVENT_SYSTEM_FOREGROUND for it, which Windows reports
// by itself and Wine 8 does not; on WM_APP + 1 it only comes forward, as Wine shows a click. It
// ends on WM_CLOSE.
//   FrontProbe.exe --burst TITLE_A TITLE_B COUNT MS
// brings the probes titled TITLE_A and TITLE_B forward in turn, COUNT times in all, MS apart,
// without the report, and prints the tick count of the last change, the title left in front and
// how many of the changes took.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kComeForward = WM_APP;
constexpr UINT kComeForwardSilently = WM_APP + 1;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kComeForward:
      SetForegroundWindow(hwnd);
      NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
      return GetForegroundWindow() == hwnd;
    case kComeForwardSilently:
      SetForegroundWindow(hwnd);
      return GetForegroundWindow() == hwnd;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

int Burst(char** argv) {
  const HWND windows[2] = {FindWindowA("FrontProbe", argv[2]), FindWindowA("FrontProbe", argv[3])};
  if (!windows[0] || !windows[1]) return 1;
  const int count = std::atoi(argv[4]), pause = std::atoi(argv[5]);
  int last = 0, taken = 0;
  for (int i = 0; i < count; ++i) {
    last = i % 2;
    taken += SendMessageA(windows[last], kComeForwardSilently, 0, 0) != 0;
    if (i + 1 < count) Sleep(pause);
  }
  std::printf("%lu %s %d\n", GetTickCount(), argv[2 + last], taken);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::strcmp(argv[1], "--burst") == 0) return Burst(argv);
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

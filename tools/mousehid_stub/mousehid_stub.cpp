// Stand-in for the device service (not shipped): owns a top-level window titled "MouseHid" and
// appends one line per message it receives to a log file:
//   <message> <wParam> <lParam> <milliseconds since start>[ profile=<bytes>,<sections>]
// On 1275 and 1279 it reads the profile file, so a test can tell that the file was complete
// when the message came. Usage: MouseHidStub.exe LOGFILE [PROFILEFILE]
// A sent WM_USER + 999 is logged like any other message; tests send it as a marker.
// It ends on WM_CLOSE (for example `taskkill`-like closing by a test) or when LOGFILE.stop exists.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kReloadProfiles = WM_USER + 251;
constexpr UINT kReloadAll = WM_USER + 255;
constexpr UINT_PTR kStopPollTimer = 1;

std::string g_logPath;
std::string g_profilePath;
DWORD g_start = 0;

// Size of the profile file and how many of its six sections ([Setting], [GROUP0..4]) it holds.
std::string DescribeProfile() {
  FILE* file = std::fopen(g_profilePath.c_str(), "rb");
  if (!file) return " profile=missing";
  std::string text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  std::fclose(file);
  int sections = 0;
  for (const char* name : {"[Setting]", "[GROUP0]", "[GROUP1]", "[GROUP2]", "[GROUP3]", "[GROUP4]"})
    if (text.find(name) != std::string::npos) ++sections;
  return " profile=" + std::to_string(text.size()) + "," + std::to_string(sections);
}

// Messages of the window's own life are not the service's business; everything else is logged.
bool IsHousekeeping(UINT message) {
  return message < WM_USER && message != WM_CLOSE;
}

void Log(UINT message, WPARAM wParam, LPARAM lParam) {
  FILE* log = std::fopen(g_logPath.c_str(), "ab");
  if (!log) return;
  std::string extra;
  if (!g_profilePath.empty() && (message == kReloadProfiles || message == kReloadAll))
    extra = DescribeProfile();
  std::fprintf(log, "%u %llu %lld %lu%s\r\n", message, static_cast<unsigned long long>(wParam),
               static_cast<long long>(lParam), GetTickCount() - g_start, extra.c_str());
  std::fclose(log);
}

// A sent message is delivered ahead of messages posted before it; those are logged first,
// so the log keeps the order in which the sender sent and posted.
void LogPostedBefore(HWND hwnd) {
  MSG posted;
  while (PeekMessageA(&posted, hwnd, WM_USER, 0xFFFF, PM_REMOVE))
    Log(posted.message, posted.wParam, posted.lParam);
}

LRESULT CALLBACK ServiceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsHousekeeping(message)) {
    if (InSendMessage()) LogPostedBefore(hwnd);
    Log(message, wParam, lParam);
  }
  switch (message) {
    case WM_TIMER:
      if (GetFileAttributesA((g_logPath + ".stop").c_str()) != INVALID_FILE_ATTRIBUTES)
        DestroyWindow(hwnd);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: MouseHidStub LOGFILE [PROFILEFILE]\n");
    return 2;
  }
  g_logPath = argv[1];
  if (argc > 2) g_profilePath = argv[2];
  g_start = GetTickCount();
  WNDCLASSA cls{};
  cls.lpfnWndProc = ServiceProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "MouseHidStandIn";
  RegisterClassA(&cls);
  HWND hwnd = CreateWindowExA(0, cls.lpszClassName, "MouseHid", WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, cls.hInstance, nullptr);
  if (!hwnd) return 1;
  SetTimer(hwnd, kStopPollTimer, 200, nullptr);
  // Tells a waiting test that the window exists, and the tick count its log's times start from.
  FILE* ready = std::fopen((g_logPath + ".ready").c_str(), "wb");
  if (ready) {
    std::fprintf(ready, "%lu\r\n", g_start);
    std::fclose(ready);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

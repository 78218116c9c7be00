// The Wine side of the start-up benchmark (tools/scripts/bench_startup.py drives it): starts
// Pointwick or the bare dialog program when told, and looks at them from outside the way only a
// Windows program can. One command a line on stdin, one answer a line on stdout, flushed at once:
//
//   launch pointwick|bare  "launching NAME", written just before CreateProcess (the driver takes
//                          its start time when the line arrives), then "launched PID" or "error ..."
//   panels                 "panels MS": milliseconds from the launch until the main window owns
//                          its six side panels, -1 if not within 20 s
//   memory                 "memory WORKING_SET PEAK_WORKING_SET PRIVATE" in bytes, of the child
//   menu                   "menu MS": a click on a mouse button's label until its menu is painted
//   close                  "closed": the program was told to close and has ended (or was ended)
//   quit
//
// Usage: startup_launcher PROGRAM_FOLDER BARE_DIALOG_EXE
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kMainTitle[] = "Mouse Driver";

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Visible, with no update region left in it or its children.
bool Painted(HWND window) {
  if (!window || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
  return true;
}

struct Child {
  PROCESS_INFORMATION process{};
  double start = 0;
  bool running = false;
};

bool Launch(Child& child, const std::string& exe, const char* name) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = "\"" + exe + "\"";
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  Say("launching %s", name);
  child.start = Now();
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &child.process)) {
    Say("error CreateProcess %s: %lu", exe.c_str(), GetLastError());
    return false;
  }
  child.running = true;
  Say("launched %lu", child.process.dwProcessId);
  return true;
}

// The windows the main window owns, of one class or of any when `dialogs_only` is false.
struct Owned {
  HWND main;
  bool dialogs_only;
  bool visible_only;
  std::vector<HWND> found;
};
BOOL CALLBACK NoteOwned(HWND hwnd, LPARAM param) {
  auto* owned = reinterpret_cast<Owned*>(param);
  if (GetWindow(hwnd, GW_OWNER) != owned->main) return TRUE;
  if (owned->visible_only && !IsWindowVisible(hwnd)) return TRUE;
  if (owned->dialogs_only) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0) return TRUE;
  }
  owned->found.push_back(hwnd);
  return TRUE;
}
std::vector<HWND> OwnedWindows(HWND main, bool dialogs_only, bool visible_only) {
  Owned owned{main, dialogs_only, visible_only, {}};
  EnumWindows(NoteOwned, reinterpret_cast<LPARAM>(&owned));
  return owned.found;
}

// Milliseconds from the launch until the main window owns its six side panels (class #32770),
// or -1. The driver asks once the window is painted: the hidden panels are made after the first
// paint, and polling the server from the start would slow the start it times.
double WaitForPanels(const Child& child) {
  while (Now() < child.start + 20000) {
    HWND main = FindWindowA(nullptr, kMainTitle);
    if (main && OwnedWindows(main, true, false).size() >= 6) return Now() - child.start;
    Sleep(1);
  }
  return -1;
}

void ReportMemory(const Child& child) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!child.running || !GetProcessMemoryInfo(child.process.hProcess,
                                              reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                              sizeof counters)) {
    Say("error GetProcessMemoryInfo: %lu", GetLastError());
    return;
  }
  Say("memory %llu %llu %llu", static_cast<unsigned long long>(counters.WorkingSetSize),
      static_cast<unsigned long long>(counters.PeakWorkingSetSize),
      static_cast<unsigned long long>(counters.PrivateUsage));
}

// A click on the label of mouse button 9 (its place is in the skin) until the menu it opens, a
// new window the main window owns, is painted. The menu is closed again afterwards.
double TimeMenu(const std::string& folder) {
  HWND main = FindWindowA(nullptr, kMainTitle);
  if (!main) return -1;
  const std::string ini = folder + "skins\\skin_main.ini";
  char value[128] = {};
  GetPrivateProfileStringA("BUTTONPOS", "9", "", value, sizeof value, ini.c_str());
  int x = 0, y = 0, w = 0, h = 0;
  const char* comma = std::strchr(value, ',');
  if (!comma || std::sscanf(comma + 1, "%d,%d,%d,%d", &x, &y, &w, &h) != 4) return -1;
  HWND hotspot = ChildWindowFromPointEx(main, POINT{x + w / 2, y + h / 2}, CWP_SKIPINVISIBLE);
  if (!hotspot || hotspot == main) return -1;
  const std::vector<HWND> before = OwnedWindows(main, false, true);
  const double start = Now();
  PostMessageA(hotspot, BM_CLICK, 0, 0);
  HWND menu = nullptr;
  while (Now() < start + 5000) {
    for (HWND owned : OwnedWindows(main, false, true))
      if (std::find(before.begin(), before.end(), owned) == before.end()) menu = owned;
    if (menu && Painted(menu)) break;
    Sleep(1);
  }
  const double ms = menu ? Now() - start : -1;
  if (menu) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  Sleep(200);
  return ms;
}

// The windows of the program that nothing owns: the main window or the dialog.
struct TopWindows {
  DWORD pid;
  std::vector<HWND> found;
};
BOOL CALLBACK NoteTopWindow(HWND hwnd, LPARAM param) {
  auto* top = reinterpret_cast<TopWindows*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == top->pid && IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER)) top->found.push_back(hwnd);
  return TRUE;
}

// The program's windows are told to close; one that has not ended within 10 s is ended.
void Close(Child& child) {
  if (child.running) {
    TopWindows top{child.process.dwProcessId, {}};
    EnumWindows(NoteTopWindow, reinterpret_cast<LPARAM>(&top));
    for (HWND window : top.found) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(child.process.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(child.process.hProcess, 1);
    CloseHandle(child.process.hProcess);
    CloseHandle(child.process.hThread);
    child = Child{};
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_launcher PROGRAM_FOLDER BARE_DIALOG_EXE\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const std::string bare = argv[2];
  Child child;
  char line[256];
  while (std::fgets(line, sizeof line, stdin)) {
    line[std::strcspn(line, "\r\n")] = '\0';
    if (std::strcmp(line, "launch pointwick") == 0 || std::strcmp(line, "launch bare") == 0) {
      if (child.running) Close(child);
      const bool ours = line[7] == 'p';
      Launch(child, ours ? folder + "Pointwick.exe" : bare, ours ? "pointwick" : "bare");
    } else if (std::strcmp(line, "panels") == 0) {
      Say("panels %.2f", child.running ? WaitForPanels(child) : -1.0);
    } else if (std::strcmp(line, "memory") == 0) {
      ReportMemory(child);
    } else if (std::strcmp(line, "menu") == 0) {
      Say("menu %.2f", child.running ? TimeMenu(folder) : -1.0);
    } else if (std::strcmp(line, "close") == 0) {
      Close(child);
      Say("closed");
    } else if (std::strcmp(line, "quit") == 0) {
      break;
    } else {
      Say("error unknown command '%s'", line);
    }
  }
  if (child.running) Close(child);
  return 0;
}

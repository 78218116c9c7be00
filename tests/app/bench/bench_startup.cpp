// Start-up benchmark: launches Pointwick and a bare dialog program in turn under one warm
// wineserver and times each from CreateProcess until its window is visible with nothing left
// to paint. For Pointwick it also times the moment all six side panels exist (the hidden ones
// are made once the window is on the screen), and then, once it is idle, a click on a mouse
// button's label until its menu is painted.
// Usage: bench_startup PROGRAM_FOLDER BARE_DIALOG_EXE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Visible, with no update region left in it or its children.
bool Painted(HWND window) {
  if (!window || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
  return true;
}

HWND WaitPainted(const char* title, double until) {
  while (Now() < until) {
    HWND window = FindWindowA(nullptr, title);
    if (Painted(window)) return window;
    Sleep(1);
  }
  return nullptr;
}

struct Run {
  double ms = -1;
  double start = 0;
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

Run Launch(const std::string& exe, const char* title) {
  Run run;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = "\"" + exe + "\"";
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  const double start = run.start = Now();
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &run.process))
    return run;
  run.window = WaitPainted(title, start + 20000);
  if (run.window) run.ms = Now() - start;
  return run;
}

void Close(Run& run) {
  if (run.window) PostMessageA(run.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(run.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(run.process.hProcess, 1);
  CloseHandle(run.process.hProcess);
  CloseHandle(run.process.hThread);
}

// The first top-level window of the thread other than the main window, once it is painted.
// The windows the main window owns (panels, then the menu) are told apart by what was there
// before the click.
struct MenuSearch {
  HWND main;
  std::vector<HWND> before;
  HWND found;
};
BOOL CALLBACK FindMenu(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<MenuSearch*>(param);
  if (!IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER) != search->main) return TRUE;
  if (std::find(search->before.begin(), search->before.end(), hwnd) != search->before.end()) return TRUE;
  search->found = hwnd;
  return FALSE;
}
// The owned windows showing before the click.
BOOL CALLBACK NoteOwned(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<MenuSearch*>(param);
  if (GetWindow(hwnd, GW_OWNER) == search->main && IsWindowVisible(hwnd)) search->before.push_back(hwnd);
  return TRUE;
}

// The dialogs (side panels) the main window owns.
BOOL CALLBACK NoteOwnedDialog(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<MenuSearch*>(param);
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (GetWindow(hwnd, GW_OWNER) == search->main && std::strcmp(name, "#32770") == 0)
    search->before.push_back(hwnd);
  return TRUE;
}

// Milliseconds from the launch until the main window owns its six side panels, or -1.
double WaitForPanels(const Run& run) {
  while (Now() < run.start + 20000) {
    MenuSearch search{run.window, {}, nullptr};
    EnumWindows(NoteOwnedDialog, reinterpret_cast<LPARAM>(&search));
    if (search.before.size() >= 6) return Now() - run.start;
    Sleep(1);
  }
  return -1;
}

double TimeMenu(const std::string& folder, HWND main) {
  const std::string ini = folder + "skins\\skin_main.ini";
  char value[128] = {};
  GetPrivateProfileStringA("BUTTONPOS", "9", "", value, sizeof value, ini.c_str());
  int x = 0, y = 0, w = 0, h = 0;
  const char* comma = std::strchr(value, ',');
  if (!comma || std::sscanf(comma + 1, "%d,%d,%d,%d", &x, &y, &w, &h) != 4) return -1;
  HWND hotspot = ChildWindowFromPointEx(main, POINT{x + w / 2, y + h / 2}, CWP_SKIPINVISIBLE);
  if (!hotspot || hotspot == main) return -1;
  MenuSearch search{main, {}, nullptr};
  EnumWindows(NoteOwned, reinterpret_cast<LPARAM>(&search));
  const double start = Now();
  PostMessageA(hotspot, BM_CLICK, 0, 0);
  while (Now() < start + 5000) {
    search.found = nullptr;
    EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&search));
    if (search.found && Painted(search.found)) break;
    Sleep(1);
  }
  const double ms = search.found ? Now() - start : -1;
  if (search.found) PostMessageA(search.found, WM_KEYDOWN, VK_ESCAPE, 0);
  Sleep(200);
  return ms;
}

void Report(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  if (values.empty()) return;
  std::printf("%-28s min %7.1f ms   median %7.1f ms   (%zu runs)\n", what, values.front(),
              values[values.size() / 2], values.size());
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_startup PROGRAM_FOLDER BARE_DIALOG_EXE [ROUNDS]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 10;
  std::vector<double> ours, ready, bare, menu;
  for (int round = 0; round < rounds + 1; ++round) {  // round 0 warms the server and the caches
    Run a = Launch(folder + "Pointwick.exe", "Mouse Driver");
    const double panels = a.window ? WaitForPanels(a) : -1;
    // The click comes when the program has settled, as a user's would: half a second after
    // the panels exist (WaitForInputIdle says idle once, at the first wait for input).
    if (panels >= 0) Sleep(500);
    const double click = panels >= 0 ? TimeMenu(folder, a.window) : -1;
    Close(a);
    Run b = Launch(argv[2], "Bare Dialog");
    Close(b);
    if (round == 0) continue;
    if (a.ms >= 0) ours.push_back(a.ms);
    if (panels >= 0) ready.push_back(panels);
    if (b.ms >= 0) bare.push_back(b.ms);
    if (click >= 0) menu.push_back(click);
  }
  Report("Pointwick painted", ours);
  Report("Pointwick, six panels made", ready);
  Report("bare dialog painted", bare);
  if (!bare.empty()) std::printf("ratio of medians %.2f (goal: at most 1.5)\n", Median(ours) / Median(bare));
  Report("label click to menu painted", menu);
  return 0;
}

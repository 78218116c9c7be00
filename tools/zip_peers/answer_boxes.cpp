// answer_boxes: starts a program in its own folder, answers each message box it shows with OK
// and prints the box's text, for peer_suites.py under Wine.
//   answer_boxes <program.exe> [seconds]
// Prints "box <text>" per box, "closed" when the program stayed open after its last box and
// was closed here, then "exit <code>", or "hung" when it did not end in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

struct Search {
  DWORD processId;
  std::set<HWND>* answered;
  std::set<HWND>* windows;
};

// A message box is a dialog of the program whose static text has the id 0xFFFF.
BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  search.windows->insert(window);
  char className[16] = "", text[512] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770") return TRUE;
  if (GetDlgItemTextA(window, 0xFFFF, text, sizeof text) == 0) return TRUE;
  // Asked again on every visit: a box that has only just appeared may not take the first one.
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  if (!search.answered->insert(window).second) return TRUE;
  for (char* c = text; *c; ++c) {
    if (*c == '\r' || *c == '\n') *c = ' ';
  }
  std::printf("box %s\n", text);
  std::fflush(stdout);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: answer_boxes <program.exe> [seconds]\n");
    return 2;
  }
  const DWORD limitMs = (argc == 3 ? std::atoi(argv[2]) : 120) * 1000;
  std::string program = argv[1];
  const size_t slash = program.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : program.substr(0, slash);
  std::string command = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    std::printf("cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return 1;
  }
  std::set<HWND> answered;
  DWORD waited = 0, lastBoxSeen = 0;
  bool closed = false;
  while (waited < limitMs && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    waited += 50;
    std::set<HWND> windows;
    Search search{process.dwProcessId, &answered, &windows};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    bool boxShown = false;
    for (HWND window : windows) boxShown = boxShown || answered.count(window) > 0;
    if (boxShown) lastBoxSeen = waited;
    // Unfurlex closes itself about 2 s after an "Extract failed" box; after the box of an archive
    // it could not open it stays until it is closed.
    if (!answered.empty() && !closed && waited - lastBoxSeen >= 5000) {
      for (HWND window : windows) PostMessageA(window, WM_CLOSE, 0, 0);
      closed = true;
      std::printf("closed\n");
    }
  }
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    std::printf("hung\n");
  } else {
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit %lu\n", code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

// Program files of windows through their processes, and the programs of the switchable windows.
#include "tray/program_windows.h"

#include "tray/program_rules.h"
#include "win32/raii.h"

namespace tray {
namespace {

// The windows the system's task switcher would offer.
bool IsSwitchable(HWND window) {
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return false;
  if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return false;
  return GetWindowTextLengthA(window) > 0;
}

struct Collection {
  DWORD skip;
  std::vector<std::string> names;
};

// EnumWindows walks the top-level windows from the front to the back.
BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto& collection = *reinterpret_cast<Collection*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == collection.skip || !IsSwitchable(window)) return TRUE;
  const std::string name = ProgramName(ProgramOfWindow(window));
  if (name.empty()) return TRUE;
  for (const std::string& known : collection.names) {
    if (SameProgram(known, name)) return TRUE;
  }
  collection.names.push_back(name);
  return TRUE;
}

}  // namespace

std::string ProgramOfWindow(HWND window) {
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(window, &process) || !process) return {};
  // Limited access is enough for the image name, also of processes running elevated.
  win::KernelHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return {};
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  if (!QueryFullProcessImageNameA(handle.Get(), 0, path, &size)) return {};
  return std::string(path, size);
}

std::vector<std::string> ProgramsWithWindows(DWORD skip) {
  Collection collection{skip, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&collection));
  return collection.names;
}

}  // namespace tray

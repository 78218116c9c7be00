// The programs behind windows: which program file shows a window, and which programs have one now.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tray {

// The full path of the program file that owns `window`, or "" when the system does not say.
std::string ProgramOfWindow(HWND window);

// The file names of the programs that show a window the user can switch to (visible, unowned,
// titled, not a tool window), the program of the frontmost window first, each name once and
// none of process `skip`.
std::vector<std::string> ProgramsWithWindows(DWORD skip);

}  // namespace tray

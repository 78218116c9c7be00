// ProgramFolder: the executable's folder with a trailing backslash, the prefix of every skin path.
#pragma once

#include <string>

namespace app {

// Fixed once by the main window's creation; empty before.
const std::string& ProgramFolder();
void SetProgramFolder(std::string folder);

// ProgramFolder() + a relative name such as "skins\\skin_main.ini".
std::string ProgramPath(const char* relative);

}  // namespace app

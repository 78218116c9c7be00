// Registry helpers shared by the programs.
#pragma once

#include <windows.h>

#include "win32/raii.h"

namespace win {

// Opens root\subkey with full access, creating it when it cannot be opened.
RegKey OpenOrCreateKey(HKEY root, const char* subkey);

}  // namespace win

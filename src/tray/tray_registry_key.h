// The tray companion's registry key, written as one string that names its root first.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/raii.h"

namespace tray {

struct RegistryLocation {
  HKEY root = nullptr;
  std::string subkey;
};

// Splits "ROOT\\sub\\key": the text before the first backslash names one of four roots.
// Any other text means HKEY_LOCAL_MACHINE with the whole string as the subkey.
RegistryLocation ParseRegistryPath(std::string_view path);

// Opens the key with full access, creating it when it cannot be opened; empty on failure.
win::RegKey OpenOrCreateRegistryPath(std::string_view path);

}  // namespace tray

// TrayApp: the tray companion's application object (single instance, one hidden window).
#pragma once

#include <string>

#include "win32/raii.h"

namespace tray {

// The executable's folder without a trailing backslash ("" when it cannot be read).
std::string TrayProgramFolder();

class TrayApp {
 public:
  // Runs the program until its window is destroyed; a second instance returns at once.
  int Run();

 private:
  win::InstanceMutex mutex_;
};

}  // namespace tray

// ConfigApp: the configuration program's application object (single instance, modal main window).
#pragma once

#include <windows.h>

#include "win32/raii.h"

namespace app {

extern const char kInstanceMutexName[];  // "Mouse_customer_configure"

class ConfigApp {
 public:
  // Runs the program; a second instance returns at once without touching the first.
  int Run();

 private:
  win::InstanceMutex mutex_;
};

}  // namespace app

// Start and end of the configuration program.
#include "app/config_app.h"

#include <commctrl.h>
#include <ole2.h>

#include "app/main_window.h"
#include "win32/file_system.h"

namespace app {

const char kInstanceMutexName[] = "Mouse_customer_configure";

int ConfigApp::Run() {
  if (!mutex_.Create(kInstanceMutexName)) return 0;
  // The picture loader and the animation and tooltip controls need OLE and the common controls.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  {
    MainWindow window(win::ModuleFolder());
    window.DoModal();
  }
  OleUninitialize();
  mutex_.Close();
  return 0;
}

}  // namespace app

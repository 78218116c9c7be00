// Start and end of the configuration program.
#include "app/config_app.h"

#include "app/main_window.h"
#include "win32/file_system.h"
#include "win32/ole_session.h"

namespace app {

const char kInstanceMutexName[] = "Mouse_customer_configure";

int ConfigApp::Run() {
  if (!mutex_.Create(kInstanceMutexName)) return 0;
  // OLE and the common controls start when first needed.
  win::OleSession ole;
  {
    MainWindow window(win::ModuleFolder());
    window.DoModal();
  }
  mutex_.Close();
  return 0;
}

}  // namespace app

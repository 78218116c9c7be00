// Start and end of the tray companion.
#include "tray/tray_app.h"

#include <objbase.h>

#include "tray/tray_ids.h"
#include "tray/tray_window.h"
#include "win32/file_system.h"

namespace tray {

std::string TrayProgramFolder() {
  std::string folder = win::ModuleFolder();
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

int TrayApp::Run() {
  if (!mutex_.Create(kTrayMutexName)) return 0;
  // ShellExecuteA may hand the start of the configuration program to COM-based shell code.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int code = 0;
  {
    TrayWindow window(TrayProgramFolder());
    if (window.Create()) {
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      code = static_cast<int>(msg.wParam);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  mutex_.Close();
  return code;
}

}  // namespace tray

// Unfurlex: unpacks the skin package beside the program into its "skins" folder.
#include <windows.h>

#include <commctrl.h>

#include "skininstall/installer_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  skininstall::InstallerWindow window(instance);
  window.DoModal();
  return window.Installed() ? 0 : skininstall::kExitFailed;
}

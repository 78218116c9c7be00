// Entry point of Glimmet, the tray companion.
#include <windows.h>

#include "tray/tray_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tray::TrayApp application;
  return application.Run();
}

// Entry point of Pointwick, the configuration program.
#include <windows.h>

#include "app/config_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::ConfigApp application;
  return application.Run();
}

// Device service messages carry no data: wParam and lParam are always 0.
#include "settings/device_service.h"

namespace settings {

const char kServiceWindowTitle[] = "MouseHid";

HWND FindServiceWindow() { return FindWindowA(nullptr, kServiceWindowTitle); }

void PostToService(HWND service, UINT message) {
  if (service) PostMessageA(service, message, 0, 0);
}

void SendToService(HWND service, UINT message) {
  if (service) SendMessageA(service, message, 0, 0);
}

}  // namespace settings

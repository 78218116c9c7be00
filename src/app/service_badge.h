// ServiceBadge: the mouse badge on the main window's title bar, whose light and tooltip say
// whether the device service runs (its window exists).
#pragma once

#include <windows.h>

#include "skin/skin_button.h"
#include "win32/raii.h"

namespace app {

extern const char kServiceRunningTip[];
extern const char kServiceMissingTip[];

class ServiceBadge : public skin::SkinButton {
 public:
  // Once the button is made: where its light goes (the parent's client pixels; empty for a
  // skin without one), and a look for the service now and every two seconds.
  void Watch(const RECT& light);
  // Looks for the service window and shows what it found.
  void Refresh();

 protected:
  bool ProcessMessage(win::Message& m) override;
  void DrawOver(HDC dc, const RECT& where) override;

 private:
  void OnDestroy();

  void OnLookTimer() { Refresh(); }

  RECT light_{};
  bool found_ = false;
  int shown_ = -1;  // what the tooltip says: 1 found, 0 not found, -1 nothing yet
};

}  // namespace app

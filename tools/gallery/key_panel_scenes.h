// The key panel in the gallery: the real editor on a record of its own, fed key messages and
// clicks the way the program's loop would deliver them, for screenshots of its states.
#pragma once

#include <windows.h>

#include <string>

#include "assign/macro_editor.h"
#include "settings/settings_session.h"

namespace gallery {

// Scene names: "key_panel_sliding", "key_panel_single", "key_panel_macro".
bool IsKeyPanelScene(const std::string& name);

class KeyPanelScene {
 public:
  KeyPanelScene(std::string name, const std::string& programFolder);
  // Creates the panel and sets the scene up; the keys and clicks it posts arrive through the
  // message loop. False when the panel could not be made.
  bool Create();
  HWND Handle() const { return editor_.Handle(); }
  void Destroy() { editor_.Destroy(); }

 private:
  void Sliding();
  void SingleKey();
  void Macro();

  std::string name_;
  settings::SettingsSession session_;
  assign::MacroEditor editor_;
};

}  // namespace gallery

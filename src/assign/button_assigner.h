// ButtonAssigner: what happens when the user clicks one of the nine mouse buttons on the main
// window: the menu under it, the click rule and the all-profile warning, the record written,
// the editor or dialog opened, and the faces that show each button's function.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "assign/face_cells.h"
#include "assign/menu_codes.h"
#include "settings/profile_set.h"
#include "settings/settings_session.h"
#include "skin/skin_button.h"

namespace assign {

class ButtonAssigner {
 public:
  // What the assignment needs of the main window around it.
  struct Host {
    HWND window;
    std::string programFolder;
    settings::SettingsSession* session;
    std::array<skin::SkinButton*, settings::kButtonCount> buttons;  // mouse buttons 1..9
    std::function<bool()> keyPanelOpen;
    // The key panel stores what it is editing into its record.
    std::function<void()> commitKeyEdit;
    // Opens the key panel on a button, or moves an open one to it.
    std::function<void(int buttonIndex)> editKeys;
    // Runs the profile switch dialog for a button; IDOK when the user chose and confirmed.
    std::function<INT_PTR(int buttonIndex)> switchProfile;
    // The main window's save (the key panel's edit, the file, the service, a failure shown).
    std::function<void()> save;
  };

  ButtonAssigner(Host host, const FaceCells& faces) : host_(std::move(host)), faces_(faces) {}

  // The whole assignment for mouse button `buttonIndex` (0..8).
  void AssignFunction(int buttonIndex);
  // Every mouse button's face from its record in the current profile.
  void RefreshButtonFaces();

 private:
  int RunMenu(Menu menu, int buttonIndex);
  bool Confirm(const char* skinPath, UINT templateId);
  void ShowCode(int buttonIndex, int code);
  settings::ProfileSet& Current() { return host_.session->Current(); }

  Host host_;
  const FaceCells& faces_;
};

}  // namespace assign

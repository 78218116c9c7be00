// MacroEditor: the key panel: single keys, commands and keyboard macros for one mouse button.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace assign {

class MacroEditor : public panels::SidePanel {
 public:
  MacroEditor(HWND mainWindow, std::string programFolder);

  // Turns the editor to the record of mouse button `buttonIndex` (0..8) of the current profile.
  void Load(int buttonIndex) { buttonIndex_ = buttonIndex; }
  // Stores what the editor holds into the record it edits.
  void Save() {}
  int EditedButton() const { return buttonIndex_; }

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;

 private:
  int buttonIndex_ = 0;
};

}  // namespace assign

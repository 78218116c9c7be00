// MacroEditor: the key panel: single keys, commands and keyboard macros for one mouse button.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace assign {

class MacroEditor : public panels::SidePanel {
 public:
  MacroEditor(HWND mainWindow, std::string programFolder);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
};

}  // namespace assign

// MacroEditorCollapsed: the collapsed key panel, a strip at the right of the main window.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace assign {

class MacroEditorCollapsed : public panels::SidePanel {
 public:
  MacroEditorCollapsed(HWND mainWindow, std::string programFolder);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
};

}  // namespace assign

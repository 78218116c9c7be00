// AdvancedPanelExpanded: the open form of the advanced panel.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace panels {

class AdvancedPanelExpanded : public panels::SidePanel {
 public:
  AdvancedPanelExpanded(HWND mainWindow, std::string programFolder);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
};

}  // namespace panels

// SensitivityPanelExpanded: the open form of the sensitivity panel.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace panels {

class SensitivityPanelExpanded : public panels::SidePanel {
 public:
  SensitivityPanelExpanded(HWND mainWindow, std::string programFolder);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
};

}  // namespace panels

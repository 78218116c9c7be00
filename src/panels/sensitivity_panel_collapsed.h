// SensitivityPanelCollapsed: the narrow form of the sensitivity panel, an arrow that asks for the
// open form.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace panels {

class SensitivityPanelCollapsed : public panels::SidePanel {
 public:
  SensitivityPanelCollapsed(HWND mainWindow, std::string programFolder);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
};

}  // namespace panels

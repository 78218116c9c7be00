// SensitivityPanelCollapsed: its face and its arrow.
#include "panels/sensitivity_panel_collapsed.h"

#include "skin/resource_ids.h"

namespace panels {

SensitivityPanelCollapsed::SensitivityPanelCollapsed(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_SENSITIVITY_COLLAPSED, mainWindow, std::move(programFolder),
                "skins\\skin_sens_close.ini", panels::kCodeOpenSensitivity) {}

skin::ScreenKeys SensitivityPanelCollapsed::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, false, false, false, false};
}

void SensitivityPanelCollapsed::CreateControls(const skin::SkinFile& skin,
                                               const skin::ScreenPictures& pictures) {
  CreateArrowFromPictures(skin, panels::kLeftArrow);
}

}  // namespace panels

// SensitivityPanelExpanded: its face and its arrow.
#include "panels/sensitivity_panel_expanded.h"

#include "skin/resource_ids.h"

namespace panels {

SensitivityPanelExpanded::SensitivityPanelExpanded(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_SENSITIVITY_EXPANDED, mainWindow, std::move(programFolder),
                "skins\\skin_sens_expand.ini", panels::kCodeCloseSensitivity) {}

skin::ScreenKeys SensitivityPanelExpanded::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, true, true, false, false};
}

void SensitivityPanelExpanded::CreateControls(const skin::SkinFile& skin,
                                              const skin::ScreenPictures& pictures) {
  CreateArrowFromFace(skin, pictures);
}

}  // namespace panels

// AdvancedPanelExpanded: its face and its arrow.
#include "panels/advanced_panel_expanded.h"

#include "skin/resource_ids.h"

namespace panels {

AdvancedPanelExpanded::AdvancedPanelExpanded(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_ADVANCED_EXPANDED, mainWindow, std::move(programFolder),
                "skins\\skin_advance_expand.ini", panels::kCodeCloseAdvanced) {}

skin::ScreenKeys AdvancedPanelExpanded::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, true, true, false, false};
}

void AdvancedPanelExpanded::CreateControls(const skin::SkinFile& skin,
                                           const skin::ScreenPictures& pictures) {
  CreateArrowFromFace(skin, pictures);
}

}  // namespace panels

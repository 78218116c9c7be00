// AdvancedPanelCollapsed: its face and its arrow.
#include "panels/advanced_panel_collapsed.h"

#include "skin/resource_ids.h"

namespace panels {

AdvancedPanelCollapsed::AdvancedPanelCollapsed(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_ADVANCED_COLLAPSED, mainWindow, std::move(programFolder),
                "skins\\skin_advance_close.ini", panels::kCodeOpenAdvanced) {}

skin::ScreenKeys AdvancedPanelCollapsed::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, false, false, false, false};
}

void AdvancedPanelCollapsed::CreateControls(const skin::SkinFile& skin,
                                            const skin::ScreenPictures& pictures) {
  CreateArrowFromPictures(skin, panels::kLeftArrow);
}

}  // namespace panels

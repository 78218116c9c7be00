// MacroEditor: its face and its arrow.
#include "assign/macro_editor.h"

#include "skin/resource_ids.h"

namespace assign {

MacroEditor::MacroEditor(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_KEY_EXPANDED, mainWindow, std::move(programFolder),
                "skins\\skin_key_expand.ini", panels::kCodeCloseKeys) {}

skin::ScreenKeys MacroEditor::ScreenPictureKeys() const { return skin::ScreenKeys{}; }

void MacroEditor::CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) {
  CreateArrowFromPictures(skin, panels::kLeftArrow);
}

}  // namespace assign

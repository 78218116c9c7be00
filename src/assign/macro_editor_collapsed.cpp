// MacroEditorCollapsed: its face and its arrow.
#include "assign/macro_editor_collapsed.h"

#include "skin/resource_ids.h"

namespace assign {
namespace {
constexpr panels::ArrowFaces kArrow{"right", {0, 0, 9, 13}};
}  // namespace

MacroEditorCollapsed::MacroEditorCollapsed(HWND mainWindow, std::string programFolder)
    : SidePanel(IDD_KEY_COLLAPSED, mainWindow, std::move(programFolder),
                "skins\\skin_key_close.ini", panels::kCodeOpenKeys) {}

skin::ScreenKeys MacroEditorCollapsed::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, false, false, false, false};
}

void MacroEditorCollapsed::CreateControls(const skin::SkinFile& skin,
                                          const skin::ScreenPictures& pictures) {
  CreateArrowFromPictures(skin, kArrow);
  ShowWindow(Arrow().Handle(), SW_HIDE);  // nothing shows it again: the editor opens from the menus
}

}  // namespace assign

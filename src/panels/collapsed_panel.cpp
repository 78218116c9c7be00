// CollapsedPanel: the strips' data, their face and their arrow.
#include "panels/collapsed_panel.h"

#include "skin/resource_ids.h"

namespace panels {

const CollapsedForm kSensitivityStrip{IDD_SENSITIVITY_COLLAPSED, "skins\\skin_sens_close.ini",
                                      kCodeOpenSensitivity, kLeftArrow, true};
const CollapsedForm kAdvancedStrip{IDD_ADVANCED_COLLAPSED, "skins\\skin_advance_close.ini",
                                   kCodeOpenAdvanced, kLeftArrow, true};
const CollapsedForm kKeyStrip{IDD_KEY_COLLAPSED, "skins\\skin_key_close.ini", kCodeOpenKeys,
                              {"right", {0, 0, 9, 13}}, false};

CollapsedPanel::CollapsedPanel(HWND mainWindow, std::string programFolder,
                               const CollapsedForm& form)
    : SidePanel(form.templateId, mainWindow, std::move(programFolder), form.skinPath,
                form.openCode),
      form_(form) {}

// The face and its mask only: the arrow takes its faces from the arrow pictures.
skin::ScreenKeys CollapsedPanel::ScreenPictureKeys() const {
  return skin::ScreenKeys{.mask = true, .down = false, .over = false, .disabled = false};
}

void CollapsedPanel::CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures&) {
  CreateArrowFromPictures(skin, form_.arrow);
  if (!form_.arrowShown) ShowWindow(Arrow().Handle(), SW_HIDE);
}

}  // namespace panels

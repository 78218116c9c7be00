// CollapsedPanel: the narrow form of a side panel, a face and an arrow that asks for the open
// form. The three strips differ only in their data.
#pragma once

#include <string>

#include "panels/side_panel.h"

namespace panels {

struct CollapsedForm {
  UINT templateId;
  const char* skinPath;
  PanelCode openCode;  // what the arrow asks the main window for
  ArrowFaces arrow;
  bool arrowShown;
};

// The sensitivity and advanced strips at the left; the key strip at the right, whose arrow
// stays hidden (the editor opens from the menus).
extern const CollapsedForm kSensitivityStrip;
extern const CollapsedForm kAdvancedStrip;
extern const CollapsedForm kKeyStrip;

class CollapsedPanel : public SidePanel {
 public:
  CollapsedPanel(HWND mainWindow, std::string programFolder, const CollapsedForm& form);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;

 private:
  const CollapsedForm& form_;
};

}  // namespace panels

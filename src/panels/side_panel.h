// SidePanel: a panel that hangs at a side of the main window. A hidden popup skinned dialog
// owned by the main window, never dragged, whose face size the main window lays it out with,
// and whose arrow button (BUTTONPOS "1") asks the main window to slide it open or shut.
#pragma once

#include <windows.h>

#include <string>

#include "panels/panel_messages.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace panels {

// The arrow pictures an arrow button is cut from, and where.
struct ArrowFaces {
  const char* direction;  // "left" or "right": skins\arrow_<direction>_normal.bmp ...
  RECT cut;               // the part of the pictures that becomes the faces
};
constexpr ArrowFaces kLeftArrow{"left", {0, 0, 19, 20}};
constexpr ArrowFaces kRightArrow{"right", {0, 0, 19, 20}};

class SidePanel : public skin::SkinnedDialog {
 public:
  // arrowCode: what a click on the arrow button asks the main window for.
  SidePanel(UINT templateId, HWND mainWindow, std::string programFolder, std::string skinPath,
            PanelCode arrowCode);

  // Creates the panel hidden; false when its window could not be made.
  bool Create();
  // The size of the panel's face: the size the main window lays it out with.
  // Before the window is made: the size of its skin's Main picture, which it will take.
  SIZE FaceSize() const;
  HWND MainWindow() const { return mainWindow_; }
  skin::SkinButton& Arrow() { return arrow_; }

 protected:
  LRESULT OnCreate() override;
  // A panel takes no focus when it is made (FALSE): the focus would activate the hidden panel
  // and take the activation from the main window, or from a menu open over it.
  BOOL OnInitDialog() override { return FALSE; }
  bool ProcessMessage(win::Message& m) override;

  // The arrow button at BUTTONPOS "1" with its faces cut from the arrow pictures.
  bool CreateArrowFromPictures(const skin::SkinFile& skin, const ArrowFaces& faces);
  // The arrow button at BUTTONPOS "1" with its faces cut from the window's own pictures.
  bool CreateArrowFromFace(const skin::SkinFile& skin, const skin::FaceSources& faces);

 private:
  void OnArrow();

  HWND mainWindow_;
  PanelCode arrowCode_;
  mutable SIZE faceSize_{0, 0};  // read from the skin before the window is made
  skin::SkinButton arrow_;
};

}  // namespace panels

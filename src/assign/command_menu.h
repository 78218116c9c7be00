// CommandMenu: the skinned popup that drops down below a clicked control and returns the item
// chosen, or -1. One class for the function, scroll function, basic, additional and media
// command menus.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "assign/menu_codes.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace assign {

class CommandMenu : public skin::SkinnedDialog {
 public:
  // buttonIndex: the mouse button (0..8) the choice is for; the additional command menu
  // withholds its first item from the wheel and tilt buttons.
  CommandMenu(HWND parent, std::string programFolder, Menu menu, int buttonIndex);

  // The screen point the menu's top-left corner goes to: the clicked control's bottom-left.
  void SetAnchor(POINT screen) {
    anchor_ = screen;
    owner_ = RECT{screen.x, screen.y, screen.x, screen.y};
  }
  // Drops the menu below control, or where it does not fit there, above it or flush with its
  // right edge; the control's lit face goes out when the menu is cancelled.
  void DropBelow(HWND control);
  // The item (1..N) of what the button does now shows latched; 0 for none.
  void MarkCurrent(int item) { current_ = item; }
  // The anchor below a control: the left and bottom of its client rectangle on the screen.
  static POINT AnchorBelow(HWND control);
  // DoModal() returns the chosen item's result, or -1 when the menu closed without a choice.

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override { return skin::ScreenKeys{}; }
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  void OnRebuilt() override { ApplyItemStates(); }
  // Items a pointer counts as on, and the ones this button cannot take greyed.
  void ApplyItemStates();
  bool ProcessMessage(win::Message& m) override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void OnMouseMove(POINT at, UINT keys);
  void OnLButtonDown(POINT at, UINT keys);
  void OnLButtonUp(POINT at, UINT keys);
  void OnItem(int index);
  void OnOtherCommand();
  void OnDestroy();
  void OnActivate(bool active, HWND other);
  void OnActivateApp(bool active);
  void Cancel();
  void Place();
  bool OnKey(UINT key);
  void MoveFocus(int step);
  int FocusedItem() const;
  void Capture(bool take);
  bool InItem(POINT at) const;

  Menu menu_;
  int buttonIndex_;
  POINT anchor_{0, 0};
  RECT owner_{};          // the screen rectangle of the control the menu drops from
  HWND control_ = nullptr;
  int current_ = 0;
  std::vector<std::unique_ptr<skin::SkinButton>> items_;
  std::vector<RECT> itemRects_;
  bool captured_ = false;
};

}  // namespace assign

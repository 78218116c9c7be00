// ProfileSwitchDialog: the modal dialog behind "Switch profile": it gives one mouse button of
// the current profile a profile-switch function (codes 18 to 24).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "settings/settings_session.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace panels {

// The dialog's buttons by their BUTTONPOS entry.
enum ProfileSwitchButton : int {
  kSwitchNextProfile = 1,      // code 23
  kSwitchPreviousProfile = 2,  // code 24
  kSwitchOk = 3,
  kSwitchApply = 4,
  kSwitchCancel = 5,
  kSwitchProfile1 = 6,  // codes 18 to 22 for profiles 1 to 5: entries 6 to 10
  kSwitchProfile5 = 10,
};

class ProfileSwitchDialog : public skin::SkinnedDialog {
 public:
  // mainWindow: the parent. buttonIndex: the mouse button (0..8) whose record in the current
  // profile the dialog writes; its current code is the first selection. save: the main
  // window's save, which Apply runs after writing the choice.
  ProfileSwitchDialog(HWND mainWindow, std::string programFolder, settings::SettingsSession& session,
                      int buttonIndex, std::function<void()> save = {});

  // DoModal(): IDOK when OK wrote a choice (the caller then saves), else IDCANCEL.
  int SelectedCode() const { return selected_; }
  skin::SkinButton& Button(ProfileSwitchButton which) { return buttons_[which]; }

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  void OnRebuilt() override { ShowSelection(); }
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnCodeButton(int index);
  void OnOkButton();
  void OnApplyButton();
  void OnCancelButton();
  bool WriteChoice();
  void ShowSelection();

  settings::SettingsSession& session_;
  std::function<void()> save_;
  int buttonIndex_;
  int selected_ = -1;
  std::array<skin::SkinButton, kSwitchProfile5 + 1> buttons_;  // by entry; 0 unused
};

}  // namespace panels

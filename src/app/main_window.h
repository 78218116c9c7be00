// MainWindow: the configuration program's one top-level window (dialog template 102),
// shaped and painted from "skins\\skin_main.ini".
#pragma once

#include <array>
#include <string>

#include "settings/profile_set.h"
#include "settings/settings_store.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"
#include "win32/raii.h"

namespace app {

extern const char kMainWindowTitle[];  // "Mouse Driver"

// BUTTONPOS indices of the face buttons that the main window acts on.
enum MainButton : int {
  kCloseButtonA = 2,
  kSaveAndCloseButton = 3,
  kSaveButton = 4,
  kCloseButtonB = 5,
  kFirstHotspot = 6,    // mouse button 1; 6..14
  kConfigurationButton = 15,
  kFirstProfileButton = 21,  // profile 0; 21..25
  kResetButton = 26,
};

class MainWindow : public skin::SkinnedDialog {
 public:
  MainWindow();

  settings::ProfileSet& CurrentSettings() { return current_; }
  const settings::ProfileSet& BaselineSettings() const { return baseline_; }
  const settings::ProfilePaths& Paths() const { return paths_; }
  const std::string& VersionText() const { return versionText_; }
  // The face button of a BUTTONPOS index (1..26), or null for an index the window has no button at.
  skin::SkinButton* Button(int index);
  // Compare, write and tell the device service.
  settings::ChangeSet Save();

 protected:
  LRESULT OnCreate() override;
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& msg) override;
  void OnCommand(WORD id, WORD code, HWND control) override;
  skin::ScreenKeys Keys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);

  void FixProgramFolder();
  void LoadIcon();
  void LoadPictures();
  void Refresh();
  int IndexOf(HWND button) const;
  void CloseWithoutSaving();
  void PaintMinimised(HDC dc);
  void PaintVersion(HDC dc);

  char savedDirectory_[MAX_PATH] = {};
  win::Icon icon_;
  settings::ProfilePaths paths_;
  std::string versionText_;
  int versionX_ = 601;
  settings::ProfileSet scratch_{};
  settings::ProfileSet current_{};
  settings::ProfileSet baseline_{};
  bool sensitivityOpen_ = false;
  bool advancedOpen_ = false;
  bool keyOpen_ = false;
  std::array<skin::SkinButton, 27> buttons_;  // by BUTTONPOS index; 0 and 16..20 unused
};

}  // namespace app

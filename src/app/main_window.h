// MainWindow: the configuration program's one top-level window (dialog template 102),
// shaped and painted from "skins\\skin_main.ini".
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/service_badge.h"
#include "app/shell_actions.h"
#include "app/side_panels.h"
#include "app/status_line.h"
#include "assign/button_assigner.h"
#include "assign/face_cells.h"
#include "settings/profile_set.h"
#include "settings/settings_session.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"
#include "win32/language_library.h"
#include "win32/raii.h"

namespace app {

extern const char kMainWindowTitle[];  // "Mouse Driver"

// BUTTONPOS indices of the face buttons that the main window acts on.
enum MainButton : int {
  kServiceBadge = 1,        // the mouse badge: whether the device service runs
  kCaptionCloseButton = 2,  // the cross: close without saving
  kOkButton = 3,            // save and close
  kApplyButton = 4,         // save
  kCancelButton = 5,        // close without saving
  kFirstHotspot = 6,        // mouse button 1; 6..14
  kLastHotspot = 14,
  kConfigurationButton = 15,
  kFirstProfileButton = 21,  // profile 0; 21..25
  kLastProfileButton = 25,
  kResetButton = 26,
};

class MainWindow : public skin::SkinnedDialog {
 public:
  // programFolder: the executable's folder with a trailing backslash; skins, the language
  // library and the pictures are found in it, and it is the current directory while the
  // window lives.
  explicit MainWindow(std::string programFolder, ShellActions shell = SystemShell());

  settings::SettingsSession& Settings() { return settings_; }
  const std::string& VersionText() const { return versionText_; }
  // The face button of a BUTTONPOS index (1..26), or null for an index the window has no button at.
  skin::SkinButton* Button(int index);
  // The six side panels; null before the window is created. Five of them are made when the
  // window is first idle, or when first asked for.
  SidePanels* Panels() { return panels_.get(); }
  // "V1.20" or "N/A", from the profile file.
  const std::string& FirmwareText() const { return firmwareText_; }
  // The footer's line that says what the last save, export or import did.
  StatusLine& Status() { return status_; }
  ServiceBadge& Badge() { return badge_; }

 protected:
  LRESULT OnCreate() override;
  BOOL OnInitDialog() override;
  bool ProcessMessage(win::Message& m) override;
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  void OnCloseButton();
  void OnSaveButton(int index);
  void OnProfileButton(int index);
  void OnHotspot(int index);
  void OnConfigurationButton();
  void OnResetButton();
  void OnDestroy();
  void OnMove();
  void OnActivate(bool active, HWND other);
  void OnActivateApp(bool active);
  LRESULT OnHelp();
  LRESULT OnQueryDragIcon();
  // The panels' requests (panels::kPanelMessage) and the ends of slides.
  void OnSaveRequest();
  void OnPageRequest();
  void OnHelpRequest();
  void OnKeysRequest();
  LRESULT OnSlideRequest(int code);
  LRESULT OnSlideEnded(int code);
  void OnReadSpeeds();
  LRESULT OnFirmware();
  void OnReload();
  void ShowSettings();
  LRESULT OnIdle();
  void OnCursor(bool wait);
  void OnFinishStartTimer();
  void OnPrepareTimer();

  // False when a file could not be written (the box has said so).
  bool Save();
  void OpenKeyPanel(int buttonIndex);
  void CloseKeyPanel();

  void CreateAssigner();
  void LoadWindowIcon();
  void OnRebuilt() override;
  void LoadPictures();
  // The picture control id, made hidden the first time it is asked for.
  HWND PictureWindow(int id);
  void Refresh();
  void PaintMinimised(HDC dc);
  void DrawWholeFace(HDC dc, const RECT& client);
  RECT VersionStrip(HDC dc, HFONT font) const;
  void PaintVersion(HDC dc, HFONT font);

  std::wstring savedDirectory_;
  win::LanguageLibrary language_;
  win::Icon icon_;
  win::Icon smallIcon_;  // the title bar's and the taskbar's, at the window's DPI
  settings::SettingsSession settings_;
  ShellActions shell_;
  std::unique_ptr<SidePanels> panels_;
  assign::FaceCells faces_;
  std::unique_ptr<assign::ButtonAssigner> assigner_;
  std::string versionText_;
  std::string firmwareText_;
  int versionX_ = 601;
  std::array<skin::SkinButton, 27> buttons_;  // by BUTTONPOS index; 0, 1 and 16..20 unused
  ServiceBadge badge_;                       // BUTTONPOS 1
  StatusLine status_;
  std::array<skin::Picture, 3> pictures_;    // what the picture controls show
};

}  // namespace app

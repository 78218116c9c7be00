// ConfigurationDialog: the modal dialog for the settings as a whole: export and import of
// ".conf" files, the full reset, the reset of the current profile's buttons, and auto-save.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "panels/conf_files.h"
#include "settings/settings_session.h"
#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace panels {

// The dialog's buttons by their BUTTONPOS entry.
enum ConfigurationButton : int {
  kConfigOk = 3,
  kConfigApply = 4,
  kConfigCancel = 5,
  kConfigImport = 6,
  kConfigExport = 7,
  kConfigResetAll = 8,
  kConfigResetProfile = 9,
  kConfigAutoSave = 10,  // a switch
};

// The skin of the box that reports a failed export.
extern const char kExportFailedSkin[];  // "skins\\skin_export_failed.ini"

class ConfigurationDialog : public skin::SkinnedDialog {
 public:
  // mainWindow: the parent; it is told to reload after an import or a reset, and to close its
  // key panel before a reset while keyPanelOpen() says the panel is open.
  ConfigurationDialog(HWND mainWindow, std::string programFolder, settings::SettingsSession& session,
                      std::function<bool()> keyPanelOpen = {});

  // The common file dialogs and CopyFile unless replaced (tests answer through these).
  void SetFileChooser(ConfFileChooser choose) { choose_ = std::move(choose); }
  void SetFileCopier(FileCopier copy) { copy_ = std::move(copy); }
  skin::SkinButton& Button(ConfigurationButton which) { return buttons_[which]; }
  // DoModal(): IDOK or IDCANCEL; everything the dialog does it has done itself.

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  bool ProcessMessage(win::Message& m) override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void OnOkButton();
  void OnApplyButton();
  void OnCancelButton();
  void OnImport();
  void OnExport();
  void OnResetAll();
  void OnResetProfile();
  bool ConfirmReset();
  void WriteAndAnnounce(const settings::ProfileSet& record);
  void ShowExportFailed();

  HWND mainWindow_;
  settings::SettingsSession& session_;
  std::function<bool()> keyPanelOpen_;
  ConfFileChooser choose_ = AskForConfFile;
  FileCopier copy_ = CopyFileOver;
  bool autoSaveShown_;
  std::string profilePath_;  // empty when the application-data folder was not found
  std::array<skin::SkinButton, kConfigAutoSave + 1> buttons_;  // by entry; 0 to 2 unused
};

}  // namespace panels

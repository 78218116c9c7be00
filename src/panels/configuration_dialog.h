// ConfigurationDialog: the modal dialog for the settings as a whole: export and import of
// ".conf" files, the full reset, the reset of the current profile's buttons, and auto-save.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
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

class ConfigurationDialog : public skin::SkinnedDialog {
 public:
  // mainWindow: the parent; it is told to close its key panel before a reset while
  // keyPanelOpen() says the panel is open. Imports and resets go through the session, which
  // loads the records again; a write that fails is shown in the write-failed box.
  ConfigurationDialog(HWND mainWindow, std::string programFolder, settings::SettingsSession& session,
                      std::function<bool()> keyPanelOpen = {});

  // The common file dialogs unless replaced (tests answer through this).
  void SetFileChooser(ConfFileChooser choose) { choose_ = std::move(choose); }
  skin::SkinButton& Button(ConfigurationButton which) { return buttons_[which]; }
  // DoModal(): IDOK or IDCANCEL; everything the dialog does it has done itself.
  // The last export or import that was written while the dialog was open: which, and the file.
  struct FileDone {
    ConfDialog which;
    std::string path;
  };
  const std::optional<FileDone>& LastFileDone() const { return lastFileDone_; }

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  void OnRebuilt() override { OnInitDialog(); }
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnOkButton();
  void OnApplyButton();
  void OnCancelButton();
  void OnImport();
  void OnExport();
  void OnResetAll();
  void OnResetProfile();
  bool ConfirmReset();
  void NoteFileDone(ConfDialog which, const std::string& path, const win::FileResult& result);

  HWND mainWindow_;
  settings::SettingsSession& session_;
  std::function<bool()> keyPanelOpen_;
  ConfFileChooser choose_ = AskForConfFile;
  std::optional<FileDone> lastFileDone_;
  bool autoSaveShown_;
  std::array<skin::SkinButton, kConfigAutoSave + 1> buttons_;  // by entry; 0 to 2 unused
};

}  // namespace panels

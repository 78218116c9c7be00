// ConfigurationDialog: auto-save, export, import and the two resets.
#include "panels/configuration_dialog.h"

#include "panels/panel_messages.h"
#include "panels/reset_default_dialog.h"
#include "skin/resource_ids.h"
#include "skin/write_failed_box.h"

namespace panels {

ConfigurationDialog::ConfigurationDialog(HWND mainWindow, std::string programFolder,
                                         settings::SettingsSession& session,
                                         std::function<bool()> keyPanelOpen)
    : SkinnedDialog(IDD_CONFIGURATION, mainWindow, std::move(programFolder),
                    "skins\\skin_config_set.ini",
                    {.draggable = true, .centred = true, .onlyButtons = true}),
      mainWindow_(mainWindow),
      session_(session),
      keyPanelOpen_(std::move(keyPanelOpen)),
      autoSaveShown_(session.Current().AutoSaveEnable != 0) {}

void ConfigurationDialog::CreateControls(const skin::SkinFile& skin,
                                         const skin::ScreenPictures& pictures) {
  for (int index = kConfigOk; index <= kConfigAutoSave; ++index)
    CreateButton(buttons_[index], skin, index, pictures.Faces());
  buttons_[kConfigAutoSave].SetToggleMode(true);
}

BOOL ConfigurationDialog::OnInitDialog() {
  buttons_[kConfigAutoSave].SetLatched(autoSaveShown_);
  return TRUE;
}

bool ConfigurationDialog::ProcessMessage(win::Message& m) {
  using Self = ConfigurationDialog;
  static constexpr win::MessageRow<Self> kMap[] = {
      win::OnControl<&Self::OnOkButton>(kConfigOk),
      win::OnControl<&Self::OnApplyButton>(kConfigApply),
      win::OnControl<&Self::OnCancelButton>(kConfigCancel),
      win::OnControl<&Self::OnImport>(kConfigImport),
      win::OnControl<&Self::OnExport>(kConfigExport),
      win::OnControl<&Self::OnResetAll>(kConfigResetAll),
      win::OnControl<&Self::OnResetProfile>(kConfigResetProfile),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

// The value is saved with the main window's next save.
void ConfigurationDialog::OnOkButton() {
  OnApplyButton();
  EndDialog(IDOK);
}

void ConfigurationDialog::OnApplyButton() {
  session_.Current().AutoSaveEnable = buttons_[kConfigAutoSave].Latched() ? 1 : 0;
}

void ConfigurationDialog::OnCancelButton() { EndDialog(IDCANCEL); }

// The backup is the profile file as last saved, byte for byte.
void ConfigurationDialog::OnExport() {
  const std::optional<std::string> target = choose_(Handle(), ConfDialog::Save);
  if (target) NoteFileDone(ConfDialog::Save, *target, session_.Export(*target));
}

void ConfigurationDialog::OnImport() {
  const std::optional<std::string> chosen = choose_(Handle(), ConfDialog::Open);
  if (chosen) NoteFileDone(ConfDialog::Open, *chosen, session_.Import(*chosen));
}

// A failed write is shown; only a written one is kept for the main window to tell.
void ConfigurationDialog::NoteFileDone(ConfDialog which, const std::string& path, const win::FileResult& result) {
  if (!skin::ShowIfWriteFailed(Handle(), ProgramFolder(), result)) lastFileDone_ = FileDone{which, path};
}

void ConfigurationDialog::OnResetAll() {
  if (ConfirmReset()) skin::ShowIfWriteFailed(Handle(), ProgramFolder(), session_.ResetAll());
}

void ConfigurationDialog::OnResetProfile() {
  if (ConfirmReset())
    skin::ShowIfWriteFailed(Handle(), ProgramFolder(), session_.ResetCurrentProfile());
}

// The question is owned by this dialog, so that nothing here can be clicked while it is open.
// A confirmed reset closes the key panel first.
bool ConfigurationDialog::ConfirmReset() {
  if (!session_.Paths().Found()) return false;
  ResetDefaultDialog question(Handle(), ProgramFolder());
  if (question.DoModal() != IDOK) return false;
  if (keyPanelOpen_ && keyPanelOpen_()) PostPanelCode(mainWindow_, kCodeCloseKeys);
  return true;
}

}  // namespace panels

// ConfigurationDialog: auto-save, export, import and the two resets.
#include "panels/configuration_dialog.h"

#include "panels/panel_messages.h"
#include "panels/reset_default_dialog.h"
#include "panels/swallowed_keys.h"
#include "settings/device_service.h"
#include "skin/resource_ids.h"
#include "skin/skin_message_box.h"
#include "win32/wait_cursor.h"

namespace panels {

const char kExportFailedSkin[] = "skins\\skin_export_failed.ini";

namespace {
// Every box is an empty popup template; its skin gives it its look.
constexpr UINT kExportFailedTemplate = IDD_MESSAGE_BOX_CLICK;
}  // namespace

ConfigurationDialog::ConfigurationDialog(HWND mainWindow, std::string programFolder,
                                         settings::SettingsSession& session,
                                         std::function<bool()> keyPanelOpen)
    : SkinnedDialog(IDD_CONFIGURATION, mainWindow, std::move(programFolder),
                    "skins\\skin_config_set.ini", true),
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

// The profile file is the one the main window loads and saves.
BOOL ConfigurationDialog::OnInitDialog() {
  win::CentreWindow(Handle(), GetParent(Handle()));  // over the window it was opened from
  profilePath_ = session_.Paths().profile;
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

bool ConfigurationDialog::PreTranslateMessage(MSG& msg) {
  return IsSwallowedKey(msg) || SkinnedDialog::PreTranslateMessage(msg);
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
  if (!target) return;
  if (profilePath_.empty() || !CopyOrRemovePartial(profilePath_, *target, copy_)) ShowExportFailed();
}

void ConfigurationDialog::ShowExportFailed() {
  skin::SkinMessageBox box(Handle(), ProgramFolder(), kExportFailedSkin, kExportFailedTemplate);
  box.DoModal();
}

// The chosen file is read field for field like a profile file, its "Profile" key included, and
// made valid before it is written: the device service reads what is written here.
void ConfigurationDialog::OnImport() {
  const std::optional<std::string> chosen = choose_(Handle(), ConfDialog::Open);
  if (!chosen || profilePath_.empty()) return;
  settings::ProfileSet scratch{};
  settings::SetDefaults(scratch);
  settings::LoadFromFile(scratch, *chosen, -1);
  settings::Normalise(scratch, scratch);
  WriteAndAnnounce(scratch);
}

void ConfigurationDialog::OnResetAll() {
  if (!ConfirmReset()) return;
  settings::ProfileSet scratch{};
  settings::SetDefaults(scratch);
  settings::Normalise(scratch, scratch);
  WriteAndAnnounce(scratch);
}

// The whole current record is written, so unsaved changes elsewhere go with the reset.
void ConfigurationDialog::OnResetProfile() {
  if (!ConfirmReset()) return;
  settings::ProfileSet& record = session_.Current();
  settings::ResetProfile(record, record.Profile);
  WriteAndAnnounce(record);
}

// The question is owned by this dialog, so that nothing here can be clicked while it is open.
// A confirmed reset closes the key panel first.
bool ConfigurationDialog::ConfirmReset() {
  if (profilePath_.empty()) return false;
  ResetDefaultDialog question(Handle(), ProgramFolder());
  if (question.DoModal() != IDOK) return false;
  if (keyPanelOpen_ && keyPanelOpen_()) PostPanelCode(mainWindow_, kCodeCloseKeys);
  return true;
}

// The order is fixed: the file and the pointer values first, then the main window's reload,
// then the device service's.
void ConfigurationDialog::WriteAndAnnounce(const settings::ProfileSet& record) {
  settings::WriteToFile(record, profilePath_);
  win::WaitCursor wait;
  if (mainWindow_) PostMessageA(mainWindow_, kReloadMessage, 0, 0);
  settings::SendToService(settings::FindServiceWindow(), settings::kServiceReloadAll);
}

}  // namespace panels

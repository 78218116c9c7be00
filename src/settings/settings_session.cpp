// SettingsSession: load, reload and save of the three records.
#include "settings/settings_session.h"

namespace settings {

void SettingsSession::Open() {
  paths_ = FindProfilePaths();
  Reload();
}

void SettingsSession::Reload() {
  if (paths_.Found()) LoadSettings(scratch_, current_, baseline_, paths_.profile);
}

ChangeSet SettingsSession::Save() { return SaveSettings(baseline_, current_, paths_); }

}  // namespace settings

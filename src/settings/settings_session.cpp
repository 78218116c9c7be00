// SettingsSession: load, reload and save of the three records.
#include "settings/settings_session.h"

#include <cstdio>

#include "settings/profile_file.h"
#include "win32/ini_file.h"

namespace settings {

void SettingsSession::Open() {
  paths_ = FindProfilePaths();
  Reload();
}

void SettingsSession::Reload() {
  if (paths_.Found()) LoadSettings(scratch_, current_, baseline_, paths_.profile);
}

ChangeSet SettingsSession::Save() { return SaveSettings(baseline_, current_, paths_); }

void SettingsSession::ReadSpeeds() {
  if (!paths_.Found()) return;
  win::IniFile file(paths_.profile);
  settings::ReadSpeeds(current_, file);
  baseline_.SpeedX = current_.SpeedX;
  baseline_.SpeedY = current_.SpeedY;
  baseline_.OFASensitivity = current_.OFASensitivity;
}

std::string SettingsSession::FirmwareText() const {
  if (!paths_.Found()) return "N/A";
  win::IniFile file(paths_.profile);
  const int version = file.ReadInt(kSettingSection, "FWVersion", 0);
  const int device = file.ReadInt(kSettingSection, "Device", 0);
  if (version < 100 || device != 1) return "N/A";
  // "V%d" with a point after the first digit: 120 gives V1.20.
  const std::string digits = std::to_string(version);
  char text[24];
  std::snprintf(text, sizeof text, "V%c.%s", digits[0], digits.c_str() + 1);
  return text;
}

}  // namespace settings

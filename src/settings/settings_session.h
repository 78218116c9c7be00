// SettingsSession: the records one run of the configuration program edits, the paths of its
// profile file, and the save that announces changes to the device service. The main window
// owns one and lends it by reference to every panel and dialog.
#pragma once

#include <string>

#include "settings/profile_set.h"
#include "settings/settings_store.h"

namespace settings {

class SettingsSession {
 public:
  SettingsSession() = default;
  explicit SettingsSession(ProfilePaths paths) : paths_(std::move(paths)) {}
  SettingsSession(const SettingsSession&) = delete;
  SettingsSession& operator=(const SettingsSession&) = delete;

  // Finds the profile file under the user's application-data folder and loads it.
  void Open();
  // Loads all three records from the profile file again (after an import or a reset).
  void Reload();
  // Compare, write and tell the device service; returns what changed.
  ChangeSet Save();
  // Reads the speeds again from the profile file into the current record and the baseline.
  void ReadSpeeds();
  // "FWVersion" and "Device" of the profile file as text: "V1.20" for 120 on device 1, else "N/A".
  std::string FirmwareText() const;

  // Edited in place by the windows; reaches the file only through Save.
  ProfileSet& Current() { return current_; }
  const ProfileSet& Current() const { return current_; }
  // What was last loaded or saved.
  const ProfileSet& Baseline() const { return baseline_; }
  const ProfilePaths& Paths() const { return paths_; }

 private:
  ProfilePaths paths_;
  ProfileSet scratch_{};
  ProfileSet current_{};
  ProfileSet baseline_{};
};

}  // namespace settings

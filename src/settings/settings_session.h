// SettingsSession: the records one run of the configuration program edits, the paths of its
// profile file, and every write of that file: the save, import, export and the two resets.
// It alone tells the device service to reload. The main window owns one and lends it by
// reference to every panel and dialog.
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
  // Loads all three records from the profile file again.
  void Reload();
  // Compare, write and tell the device service; what changed, or the file that failed.
  SaveResult Save();

  // Each of these writes the profile file at once (no comparison), loads all three records
  // from it and tells the service to reload. On failure the file and the records stay as they
  // were and the service is told nothing.
  // Import: the chosen file read like a profile file and made valid.
  win::FileResult Import(const std::string& chosen);
  // The factory settings.
  win::FileResult ResetAll();
  // The current profile's buttons back to the factory state; the whole current record is
  // written, so unsaved changes elsewhere go with it.
  win::FileResult ResetCurrentProfile();
  // The profile file as last saved, byte for byte, written whole to `target`.
  win::FileResult Export(const std::string& target) const;

  // Reads the speeds again from the profile file into the current record and the baseline.
  void ReadSpeeds();
  // "FWVersion" and "Device" of the profile file as text: "V1.20" for 120 on device 1, else
  // "N/A". FirmwareText() is what the last load read; ReadFirmware() reads the file again.
  const std::string& FirmwareText() const { return firmware_; }
  const std::string& ReadFirmware();

  // Edited in place by the windows; reaches the file only through Save.
  ProfileSet& Current() { return current_; }
  const ProfileSet& Current() const { return current_; }
  // What was last loaded or saved.
  const ProfileSet& Baseline() const { return baseline_; }
  const ProfilePaths& Paths() const { return paths_; }

 private:
  win::FileResult WriteAndAnnounce(const ProfileSet& record);

  ProfilePaths paths_;
  ProfileSet scratch_{};
  ProfileSet current_{};
  ProfileSet baseline_{};
  std::string firmware_ = "N/A";
};

}  // namespace settings

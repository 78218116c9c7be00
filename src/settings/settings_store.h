// The settings as the programs use them: profile paths, load and write through the real
// file and registry, and the save sequence that tells the device service.
#pragma once

#include <string>

#include "settings/profile_set.h"

namespace settings {

struct ProfilePaths {
  std::string profile;  // ...\USB Optical Mouse\Mouse\RerirUv.ini
  std::string conf;     // ...\USB Optical Mouse\Mouse\RerirUv.conf
  bool Found() const { return !profile.empty(); }
};

// Paths under the user's application-data folder; empty when that folder cannot be found.
ProfilePaths FindProfilePaths();

// Load of a record from the registry and a profile file (no validation).
void LoadFromFile(ProfileSet& record, const std::string& path, int profileIndex = -1);
// Write of a record to the registry and a profile file. The file's folder is created first,
// so that a first save on a new machine is not lost.
bool WriteToFile(const ProfileSet& record, const std::string& path);

// The main window's load: defaults and load into scratch, normalised into current, copied to baseline.
void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  const std::string& path);

// The save: compare, write, keep the ".conf" copy, tell the service (1274, 1275 and the
// 1000 ms pause, 1279). Returns what changed; nothing is written or sent when it is empty.
ChangeSet SaveSettings(ProfileSet& baseline, ProfileSet& current, const ProfilePaths& paths);

constexpr unsigned kProfileDataPauseMs = 1000;

}  // namespace settings

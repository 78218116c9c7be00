// Loading and writing the settings record: pointer values first, then the profile file.
#pragma once

#include "win32/ini_store.h"
#include "settings/pointer_values.h"
#include "settings/profile_set.h"

namespace settings {

// Reads the pointer values and then the file into `record` (no validation).
// A profile index of -1 takes the index from the file.
void Load(ProfileSet& record, win::IniStore& file, PointerStore& pointers, int profileIndex = -1);

// Writes the pointer values and then the 14 settings keys and the 45 button records.
// Returns false when any file write failed.
bool Write(const ProfileSet& record, win::IniStore& file, PointerStore& pointers);
// The 14 settings keys and the 45 button records alone.
bool WriteProfileKeys(const ProfileSet& record, win::IniStore& file);


// Re-reads "Speedx", "SpeedY" and "OFASensitivity" (no validation).
void ReadSpeeds(ProfileSet& record, win::IniStore& file);

extern const char kSettingSection[];  // "Setting"

}  // namespace settings

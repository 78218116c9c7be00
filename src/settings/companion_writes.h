// The tray companion's writes of a profile file: the automatic profile switch and the three
// switches it flips. Like every write of a profile file they go through WriteProfileFile, so a
// switch that comes while the configuration program saves waits for that save and then
// changes only its own key of the saved file.
#pragma once

#include <string>

#include "win32/whole_file.h"

namespace settings {

struct SwitchResult {
  bool switched = false;  // false: the file already held that profile, or the write failed
  win::FileResult file;
};

// Stores `storedIndex` as "Profile" unless the file holds it already; after a write the
// service is told to reload everything (1279).
SwitchResult SwitchStoredProfile(const std::string& path, int storedIndex);

// [Setting] `key` becomes 0 when it is 1 and 1 otherwise (a missing key included); the service
// is then told to reload the switches (1284).
win::FileResult FlipStoredSwitch(const std::string& path, const char* key);

}  // namespace settings

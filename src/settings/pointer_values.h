// The operating system's pointer values: the acceleration table and its reading and writing rules.
#pragma once

#include <optional>
#include <string>

#include "settings/profile_set.h"

namespace settings {

struct AccelerationRow {
  int mouseSpeed;
  int threshold1;
  int threshold2;
};

constexpr int kAccelerationLevels = 17;

// The row written for a record: row 0 with acceleration off, else the level clamped to 0..16.
AccelerationRow AccelerationRowFor(const ProfileSet& record);

// The last table row that the stored values match, or none.
std::optional<int> MatchAccelerationLevel(int mouseSpeed, int threshold1, int threshold2);

// Where the pointer values live: the registry on Windows, a fake in native tests.
// A value that cannot be read is absent; Write* returns false when the key cannot be opened.
class PointerStore {
 public:
  virtual ~PointerStore() = default;
  // Opens (or creates) the "Control Panel\Mouse" or "Control Panel\Desktop" key.
  virtual bool OpenKey(const char* key) = 0;
  virtual std::optional<std::string> ReadValue(const char* name) = 0;
  virtual void WriteValue(const char* name, const std::string& text) = 0;
  virtual void CloseKey() = 0;
};

extern const char kMouseKey[];    // "Control Panel\\Mouse"
extern const char kDesktopKey[];  // "Control Panel\\Desktop"

// Fills the five registry-kept fields from the store; unreadable values leave fields as they were.
void ReadPointerSettings(ProfileSet& record, PointerStore& store);
// Writes the seven values of a record.
void WritePointerSettings(const ProfileSet& record, PointerStore& store);

}  // namespace settings

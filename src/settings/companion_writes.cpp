// The companion's profile file writes and what the service is told after them.
#include "settings/companion_writes.h"

#include "settings/device_service.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"

namespace settings {

SwitchResult SwitchStoredProfile(const std::string& path, int storedIndex) {
  bool changed = false;
  const win::FileResult written = WriteProfileFile(path, [&](win::IniDocument& file) {
    if (file.ReadInt(kSettingSection, "Profile", -1) == storedIndex) return false;
    changed = file.WriteInt(kSettingSection, "Profile", storedIndex);
    return changed;
  });
  if (!written.Ok() || !changed) return {false, written};
  SendToService(FindServiceWindow(), kServiceReloadAll);
  return {true, written};
}

win::FileResult FlipStoredSwitch(const std::string& path, const char* key) {
  const win::FileResult written = WriteProfileFile(path, [&](win::IniDocument& file) {
    return file.WriteInt(kSettingSection, key, file.ReadInt(kSettingSection, key, 0) == 1 ? 0 : 1);
  });
  if (written.Ok()) PostToService(FindServiceWindow(), kServiceReloadSwitches);
  return written;
}

}  // namespace settings

// Settings load, write and the save sequence over the registry and the private-profile file.
#include "settings/settings_store.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "settings/device_service.h"
#include "settings/profile_file.h"
#include "settings/registry_pointer_store.h"
#include "win32/file_system.h"
#include "win32/ini_file.h"
#include "win32/wait_cursor.h"

namespace settings {

ProfilePaths FindProfilePaths() {
  char folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
    return {};
  const std::string base = std::string(folder) + "\\USB Optical Mouse\\Mouse\\";
  return {base + "RerirUv.ini", base + "RerirUv.conf"};
}

void LoadFromFile(ProfileSet& record, const std::string& path, int profileIndex) {
  win::IniFile file(path);
  RegistryPointerStore pointers;
  Load(record, file, pointers, profileIndex);
}

bool WriteToFile(const ProfileSet& record, const std::string& path) {
  win::CreateParentFolders(path);
  win::IniFile file(path);
  RegistryPointerStore pointers;
  return Write(record, file, pointers);
}

void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  const std::string& path) {
  SetDefaults(scratch);
  LoadFromFile(scratch, path, -1);
  Normalise(current, scratch);
  std::memcpy(&baseline, &current, sizeof baseline);
}

ChangeSet SaveSettings(ProfileSet& baseline, ProfileSet& current, const ProfilePaths& paths) {
  HWND service = FindServiceWindow();
  const ChangeSet changes = Compare(baseline, current);
  if (changes == NoChange || !paths.Found()) return changes;
  WriteToFile(current, paths.profile);
  if (current.AutoSaveEnable == 1) CopyFileA(paths.profile.c_str(), paths.conf.c_str(), FALSE);
  if (changes & GeneralChanged) PostToService(service, kServiceReloadGeneral);
  if (changes & ProfileDataChanged) {
    win::WaitCursor wait;
    SendToService(service, kServiceReloadProfiles);
    Sleep(kProfileDataPauseMs);
  }
  win::WaitCursor wait;
  SendToService(service, kServiceReloadAll);
  return changes;
}

}  // namespace settings

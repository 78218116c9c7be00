// SettingsSession: load, reload, save and the writes that replace the whole record.
#include "settings/settings_session.h"

#include <cstdio>

#include "settings/device_service.h"
#include "settings/profile_file.h"
#include "settings/registry_pointer_store.h"
#include "win32/file_system.h"
#include "win32/wait_cursor.h"

namespace settings {
namespace {

win::FileResult NoProfileFolder() { return {win::FileFault::PathNotFound, "RerirUv.ini"}; }

// A file that must be there: a missing one is a fault too.
win::FileResult ReadExisting(const std::string& path, std::string& text) {
  if (win::ReadWholeFile(path, text)) return {};
  const win::FileResult unread = win::ReadFileIfAny(path, text);
  return unread.Ok() ? win::FileResult{win::FileFault::PathNotFound, path} : unread;
}

// "FWVersion" and "Device" as text: "V1.20" for 120 on device 1, else "N/A".
std::string FirmwareTextOf(win::IniDocument& file) {
  const int version = file.ReadInt(kSettingSection, "FWVersion", 0);
  const int device = file.ReadInt(kSettingSection, "Device", 0);
  if (version < 100 || device != 1) return "N/A";
  // "V%d" with a point after the first digit: 120 gives V1.20.
  const std::string digits = std::to_string(version);
  char text[24];
  std::snprintf(text, sizeof text, "V%c.%s", digits[0], digits.c_str() + 1);
  return text;
}

}  // namespace

void SettingsSession::Open() {
  paths_ = FindProfilePaths();
  Reload();
}

// One read of the file serves the records and the firmware text.
void SettingsSession::Reload() {
  if (!paths_.Found()) return;
  win::IniDocument file = ReadProfileDocument(paths_.profile);
  LoadSettings(scratch_, current_, baseline_, file);
  firmware_ = FirmwareTextOf(file);
}

SaveResult SettingsSession::Save() { return SaveSettings(baseline_, current_, paths_); }

// The chosen file is read field for field like a profile file, its "Profile" key included, and
// made valid before it is written: the device service reads what is written here.
win::FileResult SettingsSession::Import(const std::string& chosen) {
  if (!paths_.Found()) return NoProfileFolder();
  std::string text;
  if (win::FileResult read = ReadExisting(chosen, text); !read.Ok()) return read;
  win::IniDocument file(text);
  RegistryPointerStore pointers;
  ProfileSet record{};
  SetDefaults(record);
  Load(record, file, pointers, -1);
  Normalise(record, record);
  return WriteAndAnnounce(record);
}

win::FileResult SettingsSession::ResetAll() {
  ProfileSet factory{};
  SetDefaults(factory);
  Normalise(factory, factory);
  return WriteAndAnnounce(factory);
}

win::FileResult SettingsSession::ResetCurrentProfile() {
  ProfileSet record = current_;
  ResetProfile(record, record.Profile);
  return WriteAndAnnounce(record);
}

win::FileResult SettingsSession::Export(const std::string& target) const {
  if (!paths_.Found()) return NoProfileFolder();
  std::string bytes;
  if (win::FileResult read = ReadExisting(paths_.profile, bytes); !read.Ok()) return read;
  return win::WriteFileWhole(target, bytes);
}

// The order is fixed: the file and the pointer values first, then the records are loaded from
// it, then the device service is told.
win::FileResult SettingsSession::WriteAndAnnounce(const ProfileSet& record) {
  if (!paths_.Found()) return NoProfileFolder();
  win::WaitCursor wait;
  const win::FileResult written = WriteToFile(record, paths_.profile);
  if (!written.Ok()) return written;
  Reload();
  SendToService(FindServiceWindow(), kServiceReloadAll);
  return written;
}

void SettingsSession::ReadSpeeds() {
  if (!paths_.Found()) return;
  win::IniDocument file = ReadProfileDocument(paths_.profile);
  settings::ReadSpeeds(current_, file);
  baseline_.SpeedX = current_.SpeedX;
  baseline_.SpeedY = current_.SpeedY;
  baseline_.OFASensitivity = current_.OFASensitivity;
}

const std::string& SettingsSession::ReadFirmware() {
  if (paths_.Found()) {
    win::IniDocument file = ReadProfileDocument(paths_.profile);
    firmware_ = FirmwareTextOf(file);
  }
  return firmware_;
}

}  // namespace settings

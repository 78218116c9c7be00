// The settings as the programs use them: profile paths, load and write through the real
// file and registry, and the save sequence that tells the device service.
//
// Every write of a profile file goes through WriteProfileFile: the file is read once, changed
// in memory and written whole in one step (win32/whole_file.h), while a lock shared by all the
// suite's programs keeps two of them from interleaving their read-change-write of it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "settings/profile_set.h"
#include "win32/ini_document.h"
#include "win32/whole_file.h"

namespace settings {

struct ProfilePaths {
  std::string profile;  // ...\USB Optical Mouse\Mouse\RerirUv.ini, UTF-8
  std::string conf;     // ...\USB Optical Mouse\Mouse\RerirUv.conf
  bool Found() const { return !profile.empty(); }
};

// Paths under the user's application-data folder; empty when that folder cannot be found.
ProfilePaths FindProfilePaths();

// A profile file's keys as they are stored now (empty when there is no file).
win::IniDocument ReadProfileDocument(const std::string& path);

// Rewrites the profile file at `path` with `edit` applied to what it holds now, under the
// suite's lock; its folder is created first. `edit` returns false to leave the file alone.
// The file is either as it was or wholly the new text.
win::FileResult WriteProfileFile(const std::string& path,
                                 const std::function<bool(win::IniDocument&)>& edit);

// Writes the record's keys into the profile file and then, once that succeeded, the pointer
// values into the registry. With `copy` set the ".conf" copy is written after it, whole too.
win::FileResult WriteToFile(const ProfileSet& record, const std::string& path,
                            const std::string& copy = {});

// The main window's load: defaults and load into scratch, normalised into current, copied to baseline.
void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  const std::string& path);
// The same from a profile file read already.
void LoadSettings(ProfileSet& scratch, ProfileSet& current, ProfileSet& baseline,
                  win::IniDocument& file);

struct SaveResult {
  ChangeSet changes = NoChange;  // what was saved and announced
  win::FileResult file;          // the file that failed, if any
};

// The save: compare, write, keep the ".conf" copy, tell the service (1274, 1275 and the
// 1000 ms pause, 1279). Nothing is written or sent when nothing changed. When the profile file
// cannot be written the baseline stays as it was (the changes are still to be saved), the
// service is told nothing and the result names the file and why.
SaveResult SaveSettings(ProfileSet& baseline, ProfileSet& current, const ProfilePaths& paths);

constexpr unsigned kProfileDataPauseMs = 1000;

}  // namespace settings

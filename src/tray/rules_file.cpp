// Reading and replacing the rules file through IniFile.
#include "tray/rules_file.h"

#include <windows.h>

#include "win32/file_system.h"
#include "win32/ini_file.h"

namespace tray {

const char kRulesFileName[] = "ProgramProfiles.ini";

std::string RulesPathBeside(const std::string& profilePath) {
  const std::size_t cut = profilePath.find_last_of('\\');
  if (cut == std::string::npos) return {};
  return profilePath.substr(0, cut + 1) + kRulesFileName;
}

ProgramRules ReadRulesFile(const std::string& path) {
  if (path.empty()) return {};
  win::IniFile file(path);
  return LoadRules(file);
}

bool WriteRulesFile(const std::string& path, const ProgramRules& rules) {
  if (path.empty() || !win::CreateParentFolders(path)) return false;
  const std::string fresh = path + ".new";
  DeleteFileA(fresh.c_str());
  win::IniFile file(fresh);
  if (!SaveRules(rules, file)) {
    DeleteFileA(fresh.c_str());
    return false;
  }
  // The system caches private-profile files: flush it before the file is moved.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, fresh.c_str());
  if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(fresh.c_str());
    return false;
  }
  return true;
}

}  // namespace tray

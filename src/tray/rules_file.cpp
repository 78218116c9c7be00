// Reading the rules file once, and replacing it whole.
#include "tray/rules_file.h"

#include "win32/file_system.h"
#include "win32/ini_document.h"

namespace tray {

const char kRulesFileName[] = "ProgramProfiles.ini";

std::string RulesPathBeside(const std::string& profilePath) {
  const std::size_t cut = profilePath.find_last_of('\\');
  if (cut == std::string::npos) return {};
  return profilePath.substr(0, cut + 1) + kRulesFileName;
}

ProgramRules ReadRulesFile(const std::string& path) {
  if (path.empty()) return {};
  std::string text;
  win::ReadWholeFile(path, text);
  win::IniDocument file(text);
  return LoadRules(file);
}

win::FileResult WriteRulesFile(const std::string& path, const ProgramRules& rules) {
  if (path.empty()) return {win::FileFault::PathNotFound, kRulesFileName};
  win::IniDocument file;
  if (!SaveRules(rules, file)) return {win::FileFault::Failed, path};
  return win::WriteFileWhole(path, file.Text());
}

}  // namespace tray

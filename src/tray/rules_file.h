// The per-user rules file "ProgramProfiles.ini" beside the profile file.
#pragma once

#include <string>

#include "tray/program_rules.h"
#include "win32/whole_file.h"

namespace tray {

extern const char kRulesFileName[];  // "ProgramProfiles.ini"

// The rules file in the folder of `profilePath`; "" without a profile path.
std::string RulesPathBeside(const std::string& profilePath);

// The rules as far as the file holds usable ones; none when it is missing.
ProgramRules ReadRulesFile(const std::string& path);
// Replaces the file with the rules, creating its folder when needed. The file is written whole
// from the rules alone, so that sections of removed rules do not survive; a failed write
// leaves the old file as it was and names the file and why.
win::FileResult WriteRulesFile(const std::string& path, const ProgramRules& rules);

}  // namespace tray

// The per-user rules file "ProgramProfiles.ini" beside the profile file.
#pragma once

#include <string>

#include "tray/program_rules.h"

namespace tray {

extern const char kRulesFileName[];  // "ProgramProfiles.ini"

// The rules file in the folder of `profilePath`; "" without a profile path.
std::string RulesPathBeside(const std::string& profilePath);

// The rules as far as the file holds usable ones; none when it is missing.
ProgramRules ReadRulesFile(const std::string& path);
// Replaces the file with the rules, creating its folder when needed. The rules are written to a
// file of their own first, so that sections of removed rules do not survive and a failed write
// leaves the old file whole.
bool WriteRulesFile(const std::string& path, const ProgramRules& rules);

}  // namespace tray

// Program rules of the automatic profiles: which profile a program gets, and their INI layout.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/ini_store.h"

namespace tray {

// Profiles as the user counts them (1 to 5); the profile file stores one less.
constexpr int kFirstProfile = 1;
constexpr int kLastProfile = 5;
// "Leave the profile as it is": the choice for programs without a rule.
constexpr int kLeaveProfile = 0;
constexpr std::size_t kMaxRules = 64;
constexpr std::size_t kMaxProgramName = 259;  // a file name fits the system's 260-character paths

struct ProgramRule {
  std::string program;  // a file name only: "photoedit.exe"
  int profile = kFirstProfile;
  bool operator==(const ProgramRule&) const = default;
};

struct ProgramRules {
  bool enabled = false;
  int otherPrograms = kLeaveProfile;  // kLeaveProfile or a profile
  std::vector<ProgramRule> rules;     // no two for one program
  bool showNotice = true;             // a notice tells of each change of profile
  bool operator==(const ProgramRules&) const = default;
};

bool IsProfile(int profile);
// The last part of a path; either slash separates folders ("C:\\a\\b.exe" -> "b.exe").
std::string_view FileNameOf(std::string_view path);
// The rule name of a path: its file name without surrounding blanks, or "" when that cannot
// name a program file (empty, too long, or holding characters file names cannot hold).
std::string ProgramName(std::string_view path);
// File names compare without regard to letter case, as the file system does.
bool SameProgram(std::string_view a, std::string_view b);

// Index of the rule for a program (a name or a full path), or -1.
int FindRule(const ProgramRules& rules, std::string_view program);
// The profile a program gets: its rule's, else the one for other programs; nothing means the
// profile stays as it is.
std::optional<int> ProfileFor(const ProgramRules& rules, std::string_view program);
// Adds a rule for the program, or finds the one it has (keeping its profile). Returns the
// rule's index, or -1 for a name that cannot be a program file or when the list is full.
int AddRule(ProgramRules& rules, std::string_view program, int profile);

// The rules file: [ProgramProfiles] Enabled, OtherPrograms, ShowNotice (on unless 0);
// [Rule1]..[Rule64] Program, Profile.
// Loading skips what cannot be a rule: a bad name, a profile out of range, a second rule for
// a program, and anything beyond the 64 rule sections.
ProgramRules LoadRules(win::IniStore& file);
// Writes every value of the rules into an empty file.
bool SaveRules(const ProgramRules& rules, win::IniStore& file);

}  // namespace tray

// Program rules: names, matching, adding, and the rules file read through the INI helpers.
#include "tray/program_rules.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tray {
namespace {

const char kMainSection[] = "ProgramProfiles";
const char kEnabledKey[] = "Enabled";
const char kOtherProgramsKey[] = "OtherPrograms";
const char kShowNoticeKey[] = "ShowNotice";
const char kProgramKey[] = "Program";
const char kRuleProfileKey[] = "Profile";

std::string RuleSection(std::size_t number) { return "Rule" + std::to_string(number); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Characters a file name cannot hold; the slashes are gone already.
bool IsForbidden(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The INI reader takes a value between a pair of like quotes without them, so a name such as
// "'draft'" is stored inside double quotes, which no file name holds.
std::string StoredName(const std::string& program) {
  const bool quoted = program.size() >= 2 && program.front() == '\'' && program.back() == '\'';
  return quoted ? '"' + program + '"' : program;
}

}  // namespace

bool IsProfile(int profile) { return profile >= kFirstProfile && profile <= kLastProfile; }

std::string_view FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string ProgramName(std::string_view path) {
  std::string_view name = FileNameOf(path);
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  if (name.empty() || name.size() > kMaxProgramName) return {};
  if (std::any_of(name.begin(), name.end(), IsForbidden)) return {};
  // "." and ".." are folders, and the system drops trailing dots from file names.
  if (name.back() == '.') return {};
  return std::string(name);
}

bool SameProgram(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

int FindRule(const ProgramRules& rules, std::string_view program) {
  const std::string name = ProgramName(program);
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < rules.rules.size(); ++i) {
    if (SameProgram(rules.rules[i].program, name)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<int> ProfileFor(const ProgramRules& rules, std::string_view program) {
  const int rule = FindRule(rules, program);
  if (rule >= 0) return rules.rules[static_cast<std::size_t>(rule)].profile;
  if (IsProfile(rules.otherPrograms)) return rules.otherPrograms;
  return std::nullopt;
}

int AddRule(ProgramRules& rules, std::string_view program, int profile) {
  const int existing = FindRule(rules, program);
  if (existing >= 0) return existing;
  std::string name = ProgramName(program);
  if (name.empty() || !IsProfile(profile) || rules.rules.size() >= kMaxRules) return -1;
  rules.rules.push_back({std::move(name), profile});
  return static_cast<int>(rules.rules.size() - 1);
}

ProgramRules LoadRules(win::IniStore& file) {
  ProgramRules rules;
  rules.enabled = file.ReadInt(kMainSection, kEnabledKey, 0) == 1;
  const int other = file.ReadInt(kMainSection, kOtherProgramsKey, kLeaveProfile);
  rules.otherPrograms = IsProfile(other) ? other : kLeaveProfile;
  rules.showNotice = file.ReadInt(kMainSection, kShowNoticeKey, 1) != 0;
  for (std::size_t number = 1; number <= kMaxRules; ++number) {
    const std::string section = RuleSection(number);
    // A hand-written path counts as its file name.
    std::string program = ProgramName(file.ReadString(section.c_str(), kProgramKey, ""));
    const int profile = file.ReadInt(section.c_str(), kRuleProfileKey, 0);
    if (program.empty() || !IsProfile(profile)) continue;
    if (FindRule(rules, program) >= 0) continue;  // the first rule for a program wins
    rules.rules.push_back({std::move(program), profile});
  }
  return rules;
}

bool SaveRules(const ProgramRules& rules, win::IniStore& file) {
  bool written = file.WriteInt(kMainSection, kEnabledKey, rules.enabled ? 1 : 0) &&
                 file.WriteInt(kMainSection, kOtherProgramsKey, rules.otherPrograms) &&
                 file.WriteInt(kMainSection, kShowNoticeKey, rules.showNotice ? 1 : 0);
  for (std::size_t i = 0; written && i < rules.rules.size() && i < kMaxRules; ++i) {
    const std::string section = RuleSection(i + 1);
    written = file.WriteString(section.c_str(), kProgramKey, StoredName(rules.rules[i].program).c_str()) &&
              file.WriteInt(section.c_str(), kRuleProfileKey, rules.rules[i].profile);
  }
  return written;
}

}  // namespace tray

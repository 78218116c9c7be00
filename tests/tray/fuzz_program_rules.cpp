// Fuzz target: any rules file text loads into usable rules that survive a save and a load, and
// every loaded rule matches its own program.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/memory_stores.h"
#include "tray/profile_follow.h"
#include "tray/program_rules.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tray;
  testing_support::MemoryIni file =
      testing_support::MemoryIni::Parse(std::string(reinterpret_cast<const char*>(data), size));
  const ProgramRules rules = LoadRules(file);
  Require(rules.rules.size() <= kMaxRules);
  Require(rules.otherPrograms == kLeaveProfile || IsProfile(rules.otherPrograms));
  for (std::size_t i = 0; i < rules.rules.size(); ++i) {
    const ProgramRule& rule = rules.rules[i];
    Require(IsProfile(rule.profile) && ProgramName(rule.program) == rule.program);
    Require(FindRule(rules, rule.program) == static_cast<int>(i));
    Require(ProfileFor(rules, rule.program) == rule.profile);
    const FollowDecision decision = DecideFollow(rules, rule.program, false, -1);
    Require(decision.action == (rules.enabled ? FollowAction::Switch : FollowAction::Nothing));
  }
  testing_support::MemoryIni saved;
  Require(SaveRules(rules, saved));
  Require(LoadRules(saved) == rules);
  return 0;
}

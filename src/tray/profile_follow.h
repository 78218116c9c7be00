// Following the program in front: when a foreground change has settled, and what to do then.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tray/program_rules.h"

namespace tray {

// Rapid changes (Alt+Tab through several windows) settle: a program counts once it has stayed in
// front for the settle time. Times are the system's 32-bit millisecond tick count, which wraps.
class ForegroundSettle {
 public:
  using Tick = std::uint32_t;
  explicit ForegroundSettle(Tick settleMs) : settleMs_(settleMs) {}

  // A window of `program` came to the front at `now`: the wait starts again for it.
  void Changed(std::string program, Tick now);
  // Milliseconds until the program in front has settled; nothing when none waits.
  std::optional<Tick> Remaining(Tick now) const;
  // The program that has settled by `now`, handed out once; nothing before that.
  std::optional<std::string> TakeSettled(Tick now);
  void Clear() { pending_.reset(); }

 private:
  Tick settleMs_;
  std::optional<std::string> pending_;
  Tick since_ = 0;
};

enum class FollowAction { Nothing, Wait, Switch };

struct FollowDecision {
  FollowAction action = FollowAction::Nothing;
  int profile = 0;  // the profile to switch to (1 to 5), for Switch
  bool operator==(const FollowDecision&) const = default;
};

// What a settled program means. `editorOpen`: the configuration program runs, so switching waits;
// `storedIndex`: "Profile" as the profile file holds it (0 to 4 for profiles 1 to 5, or
// whatever else is there). A switch happens only when it changes the stored profile.
FollowDecision DecideFollow(const ProgramRules& rules, std::string_view program, bool editorOpen,
                            int storedIndex);

// The profile file's index of a profile (1 -> 0) and back; a stored index out of range stands
// for profile 1, as the configuration program loads it.
int StoredIndexOf(int profile);
int ProfileOfStored(int storedIndex);

// The tray icon's tip: its name, with the current profile added while programs are followed.
std::string TrayTip(std::string_view name, bool following, int storedIndex);

}  // namespace tray

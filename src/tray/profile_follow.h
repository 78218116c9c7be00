// Following the program in front: when a foreground change has settled, and what to do then.
#pragma once

#include <cstddef>
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

// The longest texts the shell takes: a tip of 127 characters, a notice of 255.
constexpr std::size_t kTipLimit = 127;
constexpr std::size_t kNoticeLimit = 255;

// Texts for the shell are wide: the en dash and a program's name may lie outside the code page.
// Each is cut to its limit, ending in an ellipsis.

// The tray icon's tip: its name and the current profile ("... \u2013 Profile 2"); the name alone
// when there is no profile file to read.
std::wstring TrayTip(std::wstring_view name, std::optional<int> storedIndex);
// The notice of a profile change: "Profile 2 \u2013 photoedit.exe" names the program it followed;
// a profile the user chose has no program ("Profile 2").
std::wstring ProfileNotice(int profile, std::wstring_view program);
// The text as it is, or its first `limit` - 1 characters and an ellipsis.
std::wstring FitText(std::wstring text, std::size_t limit);

}  // namespace tray

// ProfileFollower: a hidden window that switches the mouse's profile to the rule of the program
// in front, once the foreground has settled.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tray/profile_follow.h"
#include "tray/program_rules.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace tray {

struct FollowSetup {
  std::string profilePath;  // the per-user profile file whose "Profile" is switched
  UINT settleMs = 300;
  // Often enough that a program kept in front for a tenth of a second is seen: quick switching
  // seen only through the poll then settles as it does with the hook's reports.
  UINT pollMs = 50;
  // Also look at the foreground window on each poll until the hook has reported once, for
  // systems whose foreground hook stays silent. Off: the hook alone reports changes.
  bool pollForeground = true;
};

// A switch the follower made: the profile and the program (its full path) it followed.
struct FollowedSwitch {
  int profile = 0;
  std::string program;
};

class ProfileFollower : public win::Window {
 public:
  explicit ProfileFollower(FollowSetup setup);
  // A message-only window: it is never shown and never in front. `notify` receives
  // kProfileFollowedMessage after each switch.
  bool Create(HWND notify);
  // Follows these rules from now on (or stops, when they are off); the program in front is
  // looked at afresh.
  void SetRules(ProgramRules rules);
  const ProgramRules& Rules() const { return rules_; }
  // The latest switch, which the last kProfileFollowedMessage told of.
  const FollowedSwitch& LastSwitch() const { return lastSwitch_; }

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnSettleTimer();
  void OnPollTimer();
  void OnDestroy();

  void StartWatching();
  void StopWatching();
  // The poll runs while the foreground is not known to be reported or a program waits for the
  // configuration program to close.
  void UpdatePoll();
  void OnHookReport(HWND window);
  // The foreground window is now `window` (reported by the hook or found by the poll).
  void Noticed(HWND window);
  void Decide(const std::string& program);
  void Switch(int profile, const std::string& program);
  int StoredIndex() const;

  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                  LONG child, DWORD thread, DWORD time);

  FollowSetup setup_;
  HWND notify_ = nullptr;
  ProgramRules rules_;
  ForegroundSettle settle_;
  HWINEVENTHOOK hook_ = nullptr;  // ours: removed when watching stops
  win::Timer settleTimer_;
  win::Timer pollTimer_;
  HWND lastSeen_ = nullptr;
  bool hookReports_ = false;  // the hook has reported a foreground change since watching began
  std::optional<std::string> waiting_;  // settled while the configuration program ran
  FollowedSwitch lastSwitch_;
};

}  // namespace tray

// ProfileFollower: the foreground hook and poll, the settle timer, the decision and the switch.
#include "tray/profile_follower.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "settings/companion_writes.h"
#include "settings/settings_store.h"
#include "tray/program_windows.h"
#include "tray/tray_ids.h"

namespace tray {
namespace {

constexpr char kFollowerClass[] = "GlimmetProfileFollower";
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT_PTR kPollTimer = 2;

// The hook's callback carries no pointer of ours: each thread knows its followers by hook.
thread_local std::vector<std::pair<HWINEVENTHOOK, ProfileFollower*>> t_followers;

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

bool ConfigurationProgramOpen() { return FindWindowA(nullptr, kConfigurationWindowTitle) != nullptr; }

}  // namespace

ProfileFollower::ProfileFollower(FollowSetup setup)
    : setup_(std::move(setup)), settle_(setup_.settleMs) {}

bool ProfileFollower::Create(HWND notify) {
  notify_ = notify;
  return CreateOwn(kFollowerClass, 0, 0, "", 0, RECT{0, 0, 0, 0}, HWND_MESSAGE, nullptr);
}

bool ProfileFollower::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<ProfileFollower> kMap[] = {
      win::OnTimer<&ProfileFollower::OnSettleTimer>(kSettleTimer),
      win::OnTimer<&ProfileFollower::OnPollTimer>(kPollTimer),
      win::OnMessage<&ProfileFollower::OnDestroy>(WM_DESTROY, win::Default::After),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void ProfileFollower::SetRules(ProgramRules rules) {
  rules_ = std::move(rules);
  StopWatching();
  if (!rules_.enabled || !Handle()) return;
  StartWatching();
  Noticed(GetForegroundWindow());
}

// The hook runs out of context: the system calls it on this thread while it waits for messages,
// and no code of ours enters other processes.
void ProfileFollower::StartWatching() {
  hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnWinEvent, 0,
                          0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (hook_) t_followers.emplace_back(hook_, this);
  UpdatePoll();
}

void ProfileFollower::UpdatePoll() {
  const bool needed = (setup_.pollForeground && !hookReports_) || waiting_;
  if (!needed) return pollTimer_.Stop();
  if (!pollTimer_.Running()) pollTimer_.Start(Handle(), kPollTimer, setup_.pollMs);
}

void ProfileFollower::StopWatching() {
  if (hook_) {
    UnhookWinEvent(hook_);
    std::erase_if(t_followers, [this](const auto& entry) { return entry.second == this; });
    hook_ = nullptr;
  }
  pollTimer_.Stop();
  settleTimer_.Stop();
  settle_.Clear();
  waiting_.reset();
  lastSeen_ = nullptr;
  hookReports_ = false;
}

void ProfileFollower::OnDestroy() { StopWatching(); }

void CALLBACK ProfileFollower::OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                          LONG child, DWORD, DWORD) {
  if (event != EVENT_SYSTEM_FOREGROUND || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  for (const auto& [known, follower] : t_followers) {
    if (known == hook) return follower->OnHookReport(window);
  }
}

// From the first report on, the hook alone tells of the program in front.
void ProfileFollower::OnHookReport(HWND window) {
  hookReports_ = true;
  UpdatePoll();
  Noticed(window);
}

void ProfileFollower::OnPollTimer() {
  if (setup_.pollForeground && !hookReports_) {
    HWND front = GetForegroundWindow();
    if (front != lastSeen_) Noticed(front);
  }
  // The configuration program has closed since a program settled: switching resumes.
  if (waiting_ && !ConfigurationProgramOpen()) Decide(*std::exchange(waiting_, std::nullopt));
  UpdatePoll();
}

void ProfileFollower::Noticed(HWND window) {
  if (window == lastSeen_) return;
  lastSeen_ = window;
  // Our own windows (the tray menu, the rules dialog) are not a program the user works in.
  if (!window || IsOwnWindow(window)) return;
  std::string program = ProgramOfWindow(window);
  if (program.empty()) return;
  settle_.Changed(std::move(program), GetTickCount());
  settleTimer_.Start(Handle(), kSettleTimer, setup_.settleMs);
}

void ProfileFollower::OnSettleTimer() {
  settleTimer_.Stop();
  const DWORD now = GetTickCount();
  if (std::optional<std::string> program = settle_.TakeSettled(now)) return Decide(*program);
  // A timer may fire a tick early; wait for the rest.
  if (std::optional<ForegroundSettle::Tick> remaining = settle_.Remaining(now))
    settleTimer_.Start(Handle(), kSettleTimer, std::max<UINT>(*remaining, 1));
}

void ProfileFollower::Decide(const std::string& program) {
  if (setup_.profilePath.empty()) return;
  const FollowDecision decision =
      DecideFollow(rules_, program, ConfigurationProgramOpen(), StoredIndex());
  waiting_.reset();
  if (decision.action == FollowAction::Wait) waiting_ = program;
  UpdatePoll();
  if (decision.action == FollowAction::Switch) Switch(decision.profile, program);
}

int ProfileFollower::StoredIndex() const {
  return settings::ReadProfileDocument(setup_.profilePath).ReadInt(kSwitchSection, kProfileKey, -1);
}

// As after the configuration program's own profile switch: the file, then the service reloads
// it. A file that cannot be written now is left alone; the next settled program tries again.
void ProfileFollower::Switch(int profile, const std::string& program) {
  if (!settings::SwitchStoredProfile(setup_.profilePath, StoredIndexOf(profile)).switched) return;
  lastSwitch_ = {profile, program};
  if (notify_) PostMessageA(notify_, kProfileFollowedMessage, profile, 0);
}

}  // namespace tray

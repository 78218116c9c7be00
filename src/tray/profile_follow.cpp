// Settling of foreground changes and the switch decision.
#include "tray/profile_follow.h"

namespace tray {

void ForegroundSettle::Changed(std::string program, Tick now) {
  pending_ = std::move(program);
  since_ = now;
}

std::optional<ForegroundSettle::Tick> ForegroundSettle::Remaining(Tick now) const {
  if (!pending_) return std::nullopt;
  const Tick waited = now - since_;  // unsigned 32 bits: right across a wrap of the tick count
  return waited >= settleMs_ ? 0 : settleMs_ - waited;
}

std::optional<std::string> ForegroundSettle::TakeSettled(Tick now) {
  const std::optional<Tick> remaining = Remaining(now);
  if (!remaining || *remaining > 0) return std::nullopt;
  std::optional<std::string> settled = std::move(pending_);
  pending_.reset();
  return settled;
}

FollowDecision DecideFollow(const ProgramRules& rules, std::string_view program, bool editorOpen,
                            int storedIndex) {
  if (!rules.enabled) return {};
  const std::optional<int> profile = ProfileFor(rules, program);
  if (!profile) return {};
  // The user is editing: a switch underneath would be overwritten by the next save.
  if (editorOpen) return {FollowAction::Wait, 0};
  if (StoredIndexOf(*profile) == storedIndex) return {};
  return {FollowAction::Switch, *profile};
}

int StoredIndexOf(int profile) { return profile - kFirstProfile; }

int ProfileOfStored(int storedIndex) {
  const int profile = storedIndex + kFirstProfile;
  return IsProfile(profile) ? profile : kFirstProfile;
}

std::string TrayTip(std::string_view name, bool following, int storedIndex) {
  std::string tip(name);
  if (following) tip += " - Profile " + std::to_string(ProfileOfStored(storedIndex));
  return tip;
}

}  // namespace tray

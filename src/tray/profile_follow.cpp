// Settling of foreground changes, the switch decision, and the texts of the tip and the notice.
#include "tray/profile_follow.h"

namespace tray {

namespace {

constexpr wchar_t kDash[] = L" \u2013 ";  // an en dash between spaces

std::wstring ProfileText(int profile) { return L"Profile " + std::to_wstring(profile); }

}  // namespace

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

std::wstring FitText(std::wstring text, std::size_t limit) {
  if (text.size() <= limit || limit == 0) return text.substr(0, limit);
  text.resize(limit - 1);
  // Half of a surrogate pair is no character.
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  return text + L'\u2026';
}

std::wstring TrayTip(std::wstring_view name, std::optional<int> storedIndex) {
  std::wstring tip(name);
  if (storedIndex) tip.append(kDash).append(ProfileText(ProfileOfStored(*storedIndex)));
  return FitText(std::move(tip), kTipLimit);
}

std::wstring ProfileNotice(int profile, std::wstring_view program) {
  std::wstring notice = ProfileText(profile);
  if (!program.empty()) notice.append(kDash).append(program);
  return FitText(std::move(notice), kNoticeLimit);
}

}  // namespace tray

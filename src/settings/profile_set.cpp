// Defaults, validation, comparison and the profile reset of the settings record.
#include "settings/profile_set.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "settings/function_catalogue.h"

namespace settings {
namespace {

constexpr std::uint8_t kDefaultCodes[kButtonCount] = {1, 2, 3, 11, 10, 48, 49, 112, 113};

// Range and replacement of one global field, applied by Normalise.
struct FieldRule {
  std::int32_t ProfileSet::*field;
  std::uint32_t low;
  std::uint32_t high;
  std::int32_t replacement;
};

constexpr FieldRule kFieldRules[] = {
    {&ProfileSet::Buttons, 1, 9, 9},
    {&ProfileSet::Profile, 0, 4, 0},
    {&ProfileSet::SwapMouseButtons, 0, 1, 0},
    {&ProfileSet::DoubleClickSpeed, 0, 900, 500},
    {&ProfileSet::WheelScrollLines, 1, 18, 3},
    {&ProfileSet::UniversalScrollEnabled, 0, 1, 1},
    {&ProfileSet::ReservedLevel, 0, 6, 3},
    {&ProfileSet::MouseSensitivity, 1, 20, 10},
    {&ProfileSet::AccelerationLevel, 0, 16, 8},
    {&ProfileSet::AccelerationEnabled, 0, 1, 0},
    {&ProfileSet::TrayEnabled, 0, 1, 1},
    {&ProfileSet::AutoSaveEnable, 0, 1, 0},
    {&ProfileSet::ActiveFlyEnable, 0, 1, 0},
    {&ProfileSet::OFASensitivityEnabled, 0, 1, 1},
    {&ProfileSet::OFASensitivityViewable, 0, 1, 1},
    {&ProfileSet::XYSensitivityEnabled, 0, 1, 0},
    {&ProfileSet::OFASensitivity, 0, 18, 18},
    {&ProfileSet::SpeedX, 0, 18, 18},
    {&ProfileSet::SpeedY, 0, 18, 18},
    {&ProfileSet::LedState, 0, 3, 3},
};

// Ranges are tested without sign: a negative value is out of range.
bool InRange(std::int32_t value, std::uint32_t low, std::uint32_t high) {
  const auto v = static_cast<std::uint32_t>(value);
  return v >= low && v <= high;
}

void NormaliseProfile(ProfileData& profile) {
  const std::uint32_t highs[kPerProfileValues] = {4, 3, 3, 4};
  const std::int32_t replacements[kPerProfileValues] = {1, 2, 2, 1};
  for (int i = 0; i < kPerProfileValues; ++i) {
    if (!InRange(profile.values[i], 1, highs[i])) profile.values[i] = replacements[i];
  }
  for (int b = 0; b < kButtonCount; ++b) {
    ButtonAssignment& record = profile.buttons[b];
    if (!IsAcceptedCode(record.code)) record.code = kDefaultCodes[b];
    if (record.macroOption > 1) record.macroOption = 1;
  }
}

// Copies one field from current into baseline when it differs; reports the difference.
bool Follow(ProfileSet& baseline, const ProfileSet& current, std::int32_t ProfileSet::*field) {
  if (baseline.*field == current.*field) return false;
  baseline.*field = current.*field;
  return true;
}

bool FollowAny(ProfileSet& baseline, const ProfileSet& current,
               std::initializer_list<std::int32_t ProfileSet::*> fields) {
  bool changed = false;
  for (auto field : fields) changed |= Follow(baseline, current, field);
  return changed;
}

}  // namespace

std::uint8_t DefaultCode(int buttonIndex) {
  return (buttonIndex >= 0 && buttonIndex < kButtonCount) ? kDefaultCodes[buttonIndex] : 0;
}

bool IsAcceptedCode(int code) {
  const FunctionInfo* function = FindFunction(code);
  return function && function->accepted;
}

void SetDefaults(ProfileSet& record) {
  const std::int32_t reserved = record.reserved;
  const std::int32_t buttons = record.Buttons;
  std::memset(&record, 0xFF, offsetof(ProfileSet, profiles));
  record.reserved = reserved;
  record.Buttons = buttons;
  std::memset(record.profiles, 0, sizeof record.profiles);
  for (ProfileData& profile : record.profiles) {
    for (int b = 0; b < kButtonCount; ++b) {
      profile.buttons[b].button = static_cast<std::uint8_t>(b + 1);
      profile.buttons[b].code = 255;
    }
  }
}

void Normalise(ProfileSet& target, const ProfileSet& source) {
  if (&target != &source) std::memcpy(&target, &source, sizeof target);
  for (const FieldRule& rule : kFieldRules) {
    if (!InRange(target.*rule.field, rule.low, rule.high)) target.*rule.field = rule.replacement;
  }
  for (ProfileData& profile : target.profiles) NormaliseProfile(profile);
}

ChangeSet Compare(ProfileSet& baseline, ProfileSet& current) {
  ChangeSet changes = NoChange;
  if (FollowAny(baseline, current,
                {&ProfileSet::OFASensitivityEnabled, &ProfileSet::MouseSensitivity,
                 &ProfileSet::AccelerationLevel, &ProfileSet::DoubleClickSpeed,
                 &ProfileSet::SwapMouseButtons, &ProfileSet::WheelScrollLines,
                 &ProfileSet::UniversalScrollEnabled, &ProfileSet::ReservedLevel,
                 &ProfileSet::OFASensitivityViewable, &ProfileSet::OFASensitivity,
                 &ProfileSet::SpeedX, &ProfileSet::SpeedY, &ProfileSet::AccelerationEnabled}))
    changes |= GeneralChanged;
  // With acceleration off the stored level means nothing; it is kept at 0.
  if (baseline.AccelerationEnabled != 1 && baseline.AccelerationLevel != 0) {
    baseline.AccelerationLevel = 0;
    current.AccelerationLevel = 0;
    changes |= GeneralChanged;
  }
  if (Follow(baseline, current, &ProfileSet::XYSensitivityEnabled)) changes |= GeneralChanged;
  if (Follow(baseline, current, &ProfileSet::Profile)) changes |= ProfileSwitched;
  if (FollowAny(baseline, current, {&ProfileSet::AutoSaveEnable, &ProfileSet::ActiveFlyEnable}))
    changes |= GeneralChanged;
  if (Follow(baseline, current, &ProfileSet::LedState)) changes |= LedChanged;
  for (int p = 0; p < kProfileCount; ++p) {
    ProfileData& base = baseline.profiles[p];
    const ProfileData& now = current.profiles[p];
    if (std::memcmp(base.values, now.values, sizeof base.values) != 0) {
      std::memcpy(base.values, now.values, sizeof base.values);
      changes |= ProfileDataChanged;
    }
    if (std::memcmp(base.buttons, now.buttons, sizeof base.buttons) != 0) {
      std::memcpy(base.buttons, now.buttons, sizeof base.buttons);
      changes |= ProfileDataChanged;
    }
  }
  return changes;
}

void ResetProfile(ProfileSet& record, int profile) {
  if (profile < 0 || profile >= kProfileCount) return;
  ProfileData& data = record.profiles[profile];
  data.values[0] = 1;
  data.values[1] = 2;
  data.values[2] = 2;
  data.values[3] = 1;
  for (int b = 0; b < kButtonCount; ++b) {
    ButtonAssignment& r = data.buttons[b];
    r.code = kDefaultCodes[b];
    r.macroOption = 1;
    r.eventCount = 0;
    std::memset(r.events, 0, sizeof r.events);
  }
}

const ButtonAssignment* RecordOf(const ProfileSet& record, int profile, int buttonIndex) {
  if (profile < 0 || profile >= kProfileCount || buttonIndex < 0 || buttonIndex >= kButtonCount)
    return nullptr;
  return &record.profiles[profile].buttons[buttonIndex];
}

ButtonAssignment* RecordOf(ProfileSet& record, int profile, int buttonIndex) {
  return const_cast<ButtonAssignment*>(RecordOf(std::as_const(record), profile, buttonIndex));
}

}  // namespace settings

// The settings record of the mouse: global values and five profiles of nine button records.
#pragma once

#include <cstdint>

namespace settings {

constexpr int kProfileCount = 5;
constexpr int kButtonCount = 9;
constexpr int kPerProfileValues = 4;
constexpr int kEventSlots = 20;

#pragma pack(push, 1)
// One stored key event: HID keyboard usage and flags (bit 0 release, bit 7 pause after).
struct KeyEvent {
  std::uint8_t usage;
  std::uint8_t flags;
};

// One button's function in one profile, stored byte for byte in the profile file.
struct ButtonAssignment {
  std::uint8_t button;       // 1..9
  std::uint8_t code;         // function code; 255 = not yet set
  std::uint8_t macroOption;  // 0 or 1
  std::uint8_t eventCount;   // used entries of events
  KeyEvent events[kEventSlots];
};
#pragma pack(pop)
static_assert(sizeof(KeyEvent) == 2);
static_assert(sizeof(ButtonAssignment) == 44);

struct ProfileData {
  std::int32_t values[kPerProfileValues];
  ButtonAssignment buttons[kButtonCount];
};
static_assert(sizeof(ProfileData) == 16 + 9 * 44);

// Field names follow the stored keys.
struct ProfileSet {
  std::int32_t reserved;
  std::int32_t Buttons;
  std::int32_t Profile;
  std::int32_t SwapMouseButtons;
  std::int32_t DoubleClickSpeed;
  std::int32_t WheelScrollLines;
  std::int32_t UniversalScrollEnabled;
  std::int32_t ReservedLevel;
  std::int32_t MouseSensitivity;
  std::int32_t AccelerationLevel;
  std::int32_t AccelerationEnabled;
  std::int32_t TrayEnabled;
  std::int32_t AutoSaveEnable;
  std::int32_t ActiveFlyEnable;
  std::int32_t OFASensitivityEnabled;
  std::int32_t OFASensitivityViewable;
  std::int32_t XYSensitivityEnabled;
  std::int32_t OFASensitivity;
  std::int32_t SpeedX;
  std::int32_t SpeedY;
  std::int32_t LedState;
  ProfileData profiles[kProfileCount];
};
static_assert(sizeof(ProfileSet) == 21 * 4 + 5 * sizeof(ProfileData));

// What a save must announce; empty means nothing is saved.
enum ChangeSet : unsigned {
  NoChange = 0,
  GeneralChanged = 1,
  ProfileDataChanged = 2,
  ProfileSwitched = 16,
  LedChanged = 32,
};
inline ChangeSet operator|(ChangeSet a, ChangeSet b) { return ChangeSet(unsigned(a) | unsigned(b)); }
inline ChangeSet& operator|=(ChangeSet& a, ChangeSet b) { return a = a | b; }

// Factory function code of a button (index 0..8).
std::uint8_t DefaultCode(int buttonIndex);
// Codes a loaded record may keep (the function catalogue decides).
bool IsAcceptedCode(int code);

// The starting point of every load and of a full reset.
void SetDefaults(ProfileSet& record);
// Copies source into target, then replaces every out-of-range value in target.
void Normalise(ProfileSet& target, const ProfileSet& source);
// Fields of current that differ are copied into baseline; returns what changed.
ChangeSet Compare(ProfileSet& baseline, ProfileSet& current);
// Restores one profile (0..4) to its factory state; other indices are ignored.
void ResetProfile(ProfileSet& record, int profile);

// The record of button `buttonIndex` of profile `profile`, or null when out of range.
ButtonAssignment* RecordOf(ProfileSet& record, int profile, int buttonIndex);
const ButtonAssignment* RecordOf(const ProfileSet& record, int profile, int buttonIndex);

}  // namespace settings

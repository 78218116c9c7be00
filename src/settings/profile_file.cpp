// Profile file layout: [Setting] with 14 keys, [GROUP0]..[GROUP4] with ButtonAssigned1..9.
#include "settings/profile_file.h"

#include <cstdio>

namespace settings {
namespace {

struct SettingKey {
  const char* name;
  std::int32_t ProfileSet::*field;
};

// The [Setting] keys in the order the file holds them.
constexpr SettingKey kSettingKeys[] = {
    {"Profile", &ProfileSet::Profile},
    {"TrayEnabled", &ProfileSet::TrayEnabled},
    {"Buttons", &ProfileSet::Buttons},
    {"UniversalScrollEnabled", &ProfileSet::UniversalScrollEnabled},
    {"AccelerationEnabled", &ProfileSet::AccelerationEnabled},
    {"AutoSaveEnable", &ProfileSet::AutoSaveEnable},
    {"ActiveFlyEnable", &ProfileSet::ActiveFlyEnable},
    {"OFASensitivityEnabled", &ProfileSet::OFASensitivityEnabled},
    {"OFASensitivityViewable", &ProfileSet::OFASensitivityViewable},
    {"XYSensitivityEnabled", &ProfileSet::XYSensitivityEnabled},
    {"OFASensitivity", &ProfileSet::OFASensitivity},
    {"SpeedX", &ProfileSet::SpeedX},
    {"SpeedY", &ProfileSet::SpeedY},
    {"LedState", &ProfileSet::LedState},
};

struct RecordKey {
  char section[16];
  char key[24];
};

RecordKey RecordKeyOf(int profile, int buttonIndex) {
  RecordKey names{};
  std::snprintf(names.section, sizeof names.section, "GROUP%d", profile);
  std::snprintf(names.key, sizeof names.key, "ButtonAssigned%d", buttonIndex + 1);
  return names;
}

}  // namespace

const char kSettingSection[] = "Setting";

void Load(ProfileSet& record, win::IniStore& file, PointerStore& pointers, int profileIndex) {
  ReadPointerSettings(record, pointers);
  record.Profile = profileIndex == -1 ? file.ReadInt(kSettingSection, "Profile", -1) : profileIndex;
  for (const SettingKey& key : kSettingKeys) {
    if (key.field == &ProfileSet::Profile) continue;
    record.*key.field = file.ReadInt(kSettingSection, key.name, -1);
  }
  for (int p = 0; p < kProfileCount; ++p) {
    for (int b = 0; b < kButtonCount; ++b) {
      const RecordKey names = RecordKeyOf(p, b);
      ButtonAssignment stored;
      if (file.ReadStruct(names.section, names.key, &stored, sizeof stored))
        record.profiles[p].buttons[b] = stored;
    }
  }
}

bool Write(const ProfileSet& record, win::IniStore& file, PointerStore& pointers) {
  WritePointerSettings(record, pointers);
  return WriteProfileKeys(record, file);
}

bool WriteProfileKeys(const ProfileSet& record, win::IniStore& file) {
  bool ok = true;
  for (const SettingKey& key : kSettingKeys) ok &= file.WriteInt(kSettingSection, key.name, record.*key.field);
  for (int p = 0; p < kProfileCount; ++p) {
    for (int b = 0; b < kButtonCount; ++b) {
      const RecordKey names = RecordKeyOf(p, b);
      ok &= file.WriteStruct(names.section, names.key, &record.profiles[p].buttons[b],
                             sizeof(ButtonAssignment));
    }
  }
  return ok;
}

void ReadSpeeds(ProfileSet& record, win::IniStore& file) {
  record.SpeedX = file.ReadInt(kSettingSection, "Speedx", -1);
  record.SpeedY = file.ReadInt(kSettingSection, "SpeedY", -1);
  record.OFASensitivity = file.ReadInt(kSettingSection, "OFASensitivity", -1);
}

}  // namespace settings

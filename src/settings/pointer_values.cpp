// Acceleration table and the rules that map the record onto the pointer values.
#include "settings/pointer_values.h"

#include <cstdlib>

namespace settings {
namespace {

constexpr AccelerationRow kAccelerationTable[kAccelerationLevels] = {
    {0, 0, 0},   {1, 12, 0},  {1, 11, 0},  {1, 10, 0},  {1, 9, 0},   {1, 8, 0},
    {1, 7, 0},   {1, 6, 0},   {1, 5, 0},   {1, 4, 0},   {2, 4, 12},  {2, 4, 11},
    {2, 4, 10},  {2, 4, 9},   {2, 4, 8},   {2, 4, 7},   {2, 4, 6},
};

// Leading decimal digits, as the system's own readers take them.
std::optional<int> ReadNumber(PointerStore& store, const char* name) {
  std::optional<std::string> text = store.ReadValue(name);
  if (!text) return std::nullopt;
  return std::atoi(text->c_str());
}

void ReadInto(PointerStore& store, const char* name, std::int32_t& field) {
  if (std::optional<int> value = ReadNumber(store, name)) field = *value;
}

void WriteNumber(PointerStore& store, const char* name, int value) {
  store.WriteValue(name, std::to_string(value));
}

}  // namespace

const char kMouseKey[] = "Control Panel\\Mouse";
const char kDesktopKey[] = "Control Panel\\Desktop";

AccelerationRow AccelerationRowFor(const ProfileSet& record) {
  if (record.AccelerationEnabled == 0) return kAccelerationTable[0];
  int level = record.AccelerationLevel;
  if (level < 0) level = 0;
  if (level > 16) level = 16;
  return kAccelerationTable[level];
}

std::optional<int> MatchAccelerationLevel(int mouseSpeed, int threshold1, int threshold2) {
  std::optional<int> match;
  for (int level = 0; level < kAccelerationLevels; ++level) {
    const AccelerationRow& row = kAccelerationTable[level];
    if (row.mouseSpeed == mouseSpeed && threshold1 <= row.threshold1 && threshold2 <= row.threshold2)
      match = level;
  }
  return match;
}

void ReadPointerSettings(ProfileSet& record, PointerStore& store) {
  if (!store.OpenKey(kMouseKey)) return;
  ReadInto(store, "DoubleClickSpeed", record.DoubleClickSpeed);
  ReadInto(store, "SwapMouseButtons", record.SwapMouseButtons);
  ReadInto(store, "MouseSensitivity", record.MouseSensitivity);
  // Values that cannot be read count as 0, like a zeroed number the reader never filled.
  const int speed = ReadNumber(store, "MouseSpeed").value_or(0);
  const int threshold1 = ReadNumber(store, "MouseThreshold1").value_or(0);
  const int threshold2 = ReadNumber(store, "MouseThreshold2").value_or(0);
  if (std::optional<int> level = MatchAccelerationLevel(speed, threshold1, threshold2))
    record.AccelerationLevel = *level;
  store.CloseKey();
  if (!store.OpenKey(kDesktopKey)) return;
  ReadInto(store, "WheelScrollLines", record.WheelScrollLines);
  store.CloseKey();
}

void WritePointerSettings(const ProfileSet& record, PointerStore& store) {
  if (!store.OpenKey(kMouseKey)) return;
  WriteNumber(store, "DoubleClickSpeed", record.DoubleClickSpeed);
  WriteNumber(store, "SwapMouseButtons", record.SwapMouseButtons);
  WriteNumber(store, "MouseSensitivity", record.MouseSensitivity);
  const AccelerationRow row = AccelerationRowFor(record);
  WriteNumber(store, "MouseSpeed", row.mouseSpeed);
  WriteNumber(store, "MouseThreshold1", row.threshold1);
  WriteNumber(store, "MouseThreshold2", row.threshold2);
  store.CloseKey();
  if (!store.OpenKey(kDesktopKey)) return;
  WriteNumber(store, "WheelScrollLines", record.WheelScrollLines);
  store.CloseKey();
}

}  // namespace settings

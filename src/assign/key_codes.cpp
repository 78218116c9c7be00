// The usage table: the keys of the HID keyboard page that a button record can hold.
#include "assign/key_codes.h"

#include <iterator>

namespace assign {
namespace {

// Usages 4 to 99 except 50 (the non-US hash key), 101 and the eight modifiers 224 to 231.
// The OEM codes are the US layout's keys at those positions.
constexpr KeyUsage kUsages[] = {
    // letters A to Z
    {65, 4}, {66, 5}, {67, 6}, {68, 7}, {69, 8}, {70, 9}, {71, 10}, {72, 11}, {73, 12},
    {74, 13}, {75, 14}, {76, 15}, {77, 16}, {78, 17}, {79, 18}, {80, 19}, {81, 20}, {82, 21},
    {83, 22}, {84, 23}, {85, 24}, {86, 25}, {87, 26}, {88, 27}, {89, 28}, {90, 29},
    // digits 1 to 9, then 0
    {49, 30}, {50, 31}, {51, 32}, {52, 33}, {53, 34}, {54, 35}, {55, 36}, {56, 37}, {57, 38},
    {48, 39},
    // Return, Escape, Backspace, Tab, Space
    {13, 40}, {27, 41}, {8, 42}, {9, 43}, {32, 44},
    // - = [ ] \ then ; ' ` , . /
    {189, 45}, {187, 46}, {219, 47}, {221, 48}, {220, 49},
    {186, 51}, {222, 52}, {192, 53}, {188, 54}, {190, 55}, {191, 56},
    // Caps Lock, F1 to F12
    {20, 57}, {112, 58}, {113, 59}, {114, 60}, {115, 61}, {116, 62}, {117, 63}, {118, 64},
    {119, 65}, {120, 66}, {121, 67}, {122, 68}, {123, 69},
    // Print Screen is recorded as VK_PRINT (42), not VK_SNAPSHOT (44); Scroll Lock, Pause
    {42, 70}, {145, 71}, {19, 72},
    // Insert, Home, Page Up, Delete, End, Page Down; Right, Left, Down, Up
    {45, 73}, {36, 74}, {33, 75}, {46, 76}, {35, 77}, {34, 78},
    {39, 79}, {37, 80}, {40, 81}, {38, 82},
    // Num Lock, keypad / * - +, keypad Enter (the recorder's 108 for the extended Return)
    {144, 83}, {111, 84}, {106, 85}, {109, 86}, {107, 87}, {108, 88},
    // keypad 1 to 9, 0 and decimal point
    {97, 89}, {98, 90}, {99, 91}, {100, 92}, {101, 93}, {102, 94}, {103, 95}, {104, 96},
    {105, 97}, {96, 98}, {110, 99},
    // Application key
    {93, 101},
    // left Control, Shift, Alt, Windows; right Control, Shift, Alt, Windows
    {162, 224}, {160, 225}, {164, 226}, {91, 227}, {163, 228}, {161, 229}, {165, 230}, {92, 231},
};
static_assert(std::size(kUsages) == 104);

}  // namespace

std::span<const KeyUsage> UsageTable() { return kUsages; }

std::optional<std::uint32_t> UsageOf(std::uint32_t virtualKey) {
  for (const KeyUsage& row : kUsages)
    if (row.virtualKey == virtualKey) return row.usage;
  return std::nullopt;
}

std::optional<std::uint32_t> KeyOf(std::uint32_t usage) {
  for (const KeyUsage& row : kUsages)
    if (row.usage == usage) return row.virtualKey;
  return std::nullopt;
}

}  // namespace assign

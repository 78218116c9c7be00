// Conversion between Windows virtual-key codes and the USB HID keyboard usages stored in records.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace assign {

// One key of the keyboard page: its virtual-key code and its HID usage ID.
struct KeyUsage {
  std::uint32_t virtualKey;
  std::uint32_t usage;
};

// The 104 keys a record can store; one-to-one in both directions.
std::span<const KeyUsage> UsageTable();
// The usage of a virtual-key code; none for keys the mouse cannot send (stored as usage 0).
std::optional<std::uint32_t> UsageOf(std::uint32_t virtualKey);
// The virtual-key code of a usage; none for usages outside the table (0 included).
std::optional<std::uint32_t> KeyOf(std::uint32_t usage);

}  // namespace assign

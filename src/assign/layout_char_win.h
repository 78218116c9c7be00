// The characters of the keyboard layout in use, for naming keys outside the key name table.
#pragma once

#include <cstdint>

namespace assign {

// What the key types with no modifier held in the thread's keyboard layout; 0 for nothing.
char LayoutChar(std::uint32_t virtualKey);

}  // namespace assign

// Short display names of keys, for the macro text and the captions of single-key buttons.
#pragma once

#include <cstdint>
#include <string>

namespace assign {

// The character a key types with no modifier held in the keyboard layout in use, or 0 when it
// types none. The Windows program passes LayoutChar (layout_char_win.h); tests pass a fixed layout.
using KeyCharSource = char (*)(std::uint32_t virtualKey);

// The name of a key: its row of the name table, else the character it types (letters upper case),
// else "?".
std::string KeyName(std::uint32_t virtualKey, KeyCharSource charOf);
// The caption of a button that sends one key stored as `usage`; "key" for usages the mouse
// cannot send.
std::string SingleKeyCaption(std::uint32_t usage, KeyCharSource charOf);

}  // namespace assign

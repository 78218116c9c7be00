// The one-line text of a recorded key event list, as the macro display shows it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "assign/key_names.h"

namespace assign {

constexpr std::uint32_t kEventRelease = 0x01;  // the event releases its key
constexpr std::uint32_t kEventDelay = 0x80;    // a pause follows the event

// One recorded key event: the virtual-key code and the flags above.
struct MacroEvent {
  std::uint32_t key;
  std::uint32_t flags;
};

enum class MacroMode { SingleKey, Macro };

// Each event as its key's name and, in macro mode, "|" (press) or "^" (release) and "<delay>"
// when a pause follows; every event ends with one space. Single-key mode shows presses only.
std::string MacroText(std::span<const MacroEvent> events, MacroMode mode, KeyCharSource charOf);

}  // namespace assign

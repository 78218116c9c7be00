// Rendering of key event lists as macro text.
#include "assign/macro_text.h"

namespace assign {

std::string MacroText(std::span<const MacroEvent> events, MacroMode mode, KeyCharSource charOf) {
  std::string text;
  for (const MacroEvent& event : events) {
    const bool release = (event.flags & kEventRelease) != 0;
    // A single key is stored as its press alone, so its release is not part of what it does.
    if (mode == MacroMode::SingleKey && release) continue;
    text += KeyName(event.key, charOf);
    if (mode == MacroMode::Macro) {
      text += release ? "^" : "|";
      if (event.flags & kEventDelay) text += "<delay>";
    }
    text += ' ';
  }
  return text;
}

}  // namespace assign

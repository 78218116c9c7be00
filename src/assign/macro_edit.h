// What the key panel takes from a button's record when it opens on it, and what it writes back:
// the mode, the command each command button shows, the key events, the macro option.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "assign/macro_text.h"
#include "settings/profile_set.h"

namespace assign {

// The key of a stored usage the usage table does not know (0 included). It has no usage of its
// own, so such an entry keeps its place in the list and is stored again as usage 0.
constexpr std::uint32_t kPlaceholderKey = 0;

// The function codes the media, basic and additional command buttons show; 98 shows "nothing
// chosen".
struct CommandFaceCodes {
  std::uint8_t media;
  std::uint8_t basic;
  std::uint8_t additional;
  bool operator==(const CommandFaceCodes&) const = default;
};

// Each command button shows the record's code when it is one of its commands, else 98.
CommandFaceCodes CommandFacesOf(std::uint8_t code);
// All three show "nothing chosen" (macro mode).
CommandFaceCodes NoCommandFaces();

// What the panel shows for a record.
struct LoadedEdit {
  MacroMode mode;  // macro mode for code 6, single-key mode for every other code
  CommandFaceCodes faces;
  std::vector<MacroEvent> events;  // at most 16
};
LoadedEdit LoadEdit(const settings::ButtonAssignment& record);

// Writes the panel's state into the record. Macro mode stores code 6 and the option; single-key
// mode stores code 5 when there is an event (else the code stays) and option 0.
void SaveEdit(settings::ButtonAssignment& record, MacroMode mode, std::span<const MacroEvent> events,
              bool optionLatched);

// The option toggle is for macros on buttons 1 to 7; the tilt buttons 8 and 9 have none.
bool OptionAvailable(MacroMode mode, int buttonIndex);

}  // namespace assign

// The rules of assigning a function to a mouse button: the click rule, the all-profile code and
// how a record is rewritten.
#pragma once

#include <cstdint>

#include "settings/profile_set.h"

namespace assign {

// What the main window does with the code chosen for a button.
enum class AssignAction {
  Nothing,             // no choice was made
  ClickWarning,        // the last click among buttons 1 to 5 would go: warn, change nothing
  Store,               // StoreFunction the code into the current profile
  ConfirmAllProfiles,  // code 114: ask the profile warning first, StoreFunction only on OK
  OpenMacroEditor,     // code 8: the macro editor edits the record and stores it itself
  OpenProfileSwitch,   // code 97: the profile switch dialog edits the record
};

struct AssignPlan {
  AssignAction action;
  std::uint8_t code;  // the chosen code; after a warning or nothing, the face keeps its picture
};

// True when a button among 1 to 5 other than `buttonIndex` clicks in the current profile.
bool ClickStillPresent(const settings::ProfileSet& set, int buttonIndex);
// The step that follows choosing `code` (from CodeOfResult; 0 = none) for button `buttonIndex`.
AssignPlan PlanAssignment(const settings::ProfileSet& set, int buttonIndex, std::uint8_t code);
// Gives a record a function without key events; its button number and macro option stay.
void WriteFunction(settings::ButtonAssignment& record, std::uint8_t code);
// Writes `code` into the button's record of the current profile; code 114 into all five profiles.
void StoreFunction(settings::ProfileSet& set, int buttonIndex, std::uint8_t code);

}  // namespace assign

// Loading a button's record into the key panel and saving the panel's state into it.
#include "assign/macro_edit.h"

#include <algorithm>
#include <cstring>

#include "assign/key_codes.h"
#include "assign/key_recording.h"
#include "settings/function_catalogue.h"

namespace assign {
namespace {

constexpr std::uint8_t kNothing = settings::kCodeNothingChosen;

bool IsMedia(std::uint8_t code) { return code >= 32 && code <= 39; }
bool IsBasic(std::uint8_t code) { return code >= 64 && code <= 72; }
bool IsAdditional(std::uint8_t code) { return code == 80 || code == 81 || (code >= 83 && code <= 87); }

// The two tilt buttons (indices 7 and 8) have no macro option.
constexpr int kFirstButtonWithoutOption = 7;

}  // namespace

CommandFaceCodes CommandFacesOf(std::uint8_t code) {
  return CommandFaceCodes{IsMedia(code) ? code : kNothing, IsBasic(code) ? code : kNothing,
                          IsAdditional(code) ? code : kNothing};
}

CommandFaceCodes NoCommandFaces() { return CommandFaceCodes{kNothing, kNothing, kNothing}; }

LoadedEdit LoadEdit(const settings::ButtonAssignment& record) {
  LoadedEdit edit;
  const bool macro = record.code == settings::kCodeKeyboardMacro;
  edit.mode = macro ? MacroMode::Macro : MacroMode::SingleKey;
  edit.faces = macro ? NoCommandFaces() : CommandFacesOf(record.code);
  const int count = std::min<int>(record.eventCount, kMaxRecordedEvents);
  for (int i = 0; i < count; ++i) {
    const settings::KeyEvent& stored = record.events[i];
    edit.events.push_back(MacroEvent{KeyOf(stored.usage).value_or(kPlaceholderKey), stored.flags});
  }
  return edit;
}

void SaveEdit(settings::ButtonAssignment& record, MacroMode mode, std::span<const MacroEvent> events,
              bool optionLatched) {
  const std::size_t count = std::min<std::size_t>(events.size(), kMaxRecordedEvents);
  record.eventCount = static_cast<std::uint8_t>(count);
  std::memset(record.events, 0, sizeof record.events);
  for (std::size_t i = 0; i < count; ++i) {
    record.events[i].flags = static_cast<std::uint8_t>(events[i].flags & 0xFF);
    record.events[i].usage = static_cast<std::uint8_t>(UsageOf(events[i].key).value_or(0));
  }
  if (mode == MacroMode::Macro) {
    record.code = settings::kCodeKeyboardMacro;
    record.macroOption = optionLatched ? 1 : 0;
    return;
  }
  // Without a key the record keeps what it had: a command chosen from a menu, or the button's
  // former function.
  if (count != 0) record.code = settings::kCodeSingleKey;
  record.macroOption = 0;
}

bool OptionAvailable(MacroMode mode, int buttonIndex) {
  return mode == MacroMode::Macro && buttonIndex < kFirstButtonWithoutOption;
}

}  // namespace assign

// KeyRecording: the key panel's list of recorded key events and the rules it records by: which
// key messages count, sided modifiers, the 16-event and single-key limits, releases only after
// presses, and pause marks.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "assign/macro_text.h"

namespace assign {

constexpr int kMaxRecordedEvents = 16;

enum class KeyKind { Press, Release };

// The four key messages, as the key capture tells them apart.
enum class KeyMessage { KeyDown, KeyUp, SysKeyDown, SysKeyUp };

// What the key capture does with one key message.
struct KeyCapture {
  bool record;                 // hand the key to Record
  KeyKind kind;                // press or release
  std::uint32_t keystroke;     // the keystroke flags Record is given
  bool consume;                // the message goes no further (no click, no dialog keys)
};

// The capture rule for a key message: key is its virtual-key code, lParam its packed details
// (repeat bit 30; keystroke flags in the high word: scan code, extended bit 0x100).
KeyCapture CaptureKey(KeyMessage message, std::uint32_t key, std::uint32_t lParam);

// Control and Alt as their left or right codes by the extended bit, Shift by its scan code,
// and the keypad's Return (extended) as 108; every other key as it is.
std::uint32_t SidedKey(std::uint32_t key, std::uint32_t keystroke);

// What one Record call did.
struct RecordResult {
  bool accepted;       // the event was appended
  bool newRecording;   // it was the first of a new list: the old list is gone
};

class KeyRecording {
 public:
  MacroMode Mode() const { return mode_; }
  void SetMode(MacroMode mode) { mode_ = mode; }
  std::span<const MacroEvent> Events() const { return {events_.data(), static_cast<std::size_t>(count_)}; }
  int Count() const { return count_; }
  // False until a key is accepted after the last Load or Restart.
  bool Started() const { return started_; }

  // The list becomes `events` (the first 16); the next accepted key starts a new list.
  void Load(std::span<const MacroEvent> events);
  // An empty list; the next accepted key starts a new list.
  void Restart();
  // An empty list, the recording going on as it was.
  void Clear() { count_ = 0; }

  // One key event from the keyboard. A key that is refused changes nothing at all, also when it
  // is the first after a Load or Restart (so the list on screen is always the list stored).
  RecordResult Record(KeyKind kind, std::uint32_t key, std::uint32_t keystroke);
  // Marks a pause after the last event: macro mode, with at least one and fewer than 16
  // events. False when nothing was marked.
  bool MarkDelay();
  // Whether the delay button may be used: macro mode with an event recorded.
  bool DelayAvailable() const { return mode_ == MacroMode::Macro && count_ > 0; }

 private:
  bool LatestIsPress(std::uint32_t key, int count) const;

  std::array<MacroEvent, kMaxRecordedEvents> events_{};
  int count_ = 0;
  bool started_ = false;
  MacroMode mode_ = MacroMode::SingleKey;
};

}  // namespace assign

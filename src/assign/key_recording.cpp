// KeyRecording: the capture rules and the recording of key events.
#include "assign/key_recording.h"

#include <algorithm>

namespace assign {
namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kExtendedBit = 0x100;

constexpr std::uint32_t kShift = 16, kControl = 17, kAlt = 18, kReturn = 13;
constexpr std::uint32_t kLeftShiftScan = 0x2A, kRightShiftScan = 0x36;

// How a key-down of a particular key is captured; every key not listed is Plain.
enum class DownRule {
  Plain,       // recorded with its keystroke flags, then the dialog sees it
  ExtendedOnly,  // recorded with the extended bit alone, then the dialog sees it (it moves
                 // the focus or is a dialog key)
  Swallowed,   // recorded, and nothing else sees it: Space would click the focused button
  Unrecorded,  // the Windows and Application keys belong to the system
};

struct KeyRow {
  std::uint32_t key;
  DownRule rule;
};

constexpr KeyRow kDownRules[] = {
    {9, DownRule::ExtendedOnly},   {13, DownRule::ExtendedOnly}, {27, DownRule::ExtendedOnly},
    {39, DownRule::ExtendedOnly},  {40, DownRule::ExtendedOnly}, {44, DownRule::ExtendedOnly},
    {32, DownRule::Swallowed},     {91, DownRule::Unrecorded},   {92, DownRule::Unrecorded},
    {93, DownRule::Unrecorded},
};

DownRule RuleOf(std::uint32_t key) {
  for (const KeyRow& row : kDownRules)
    if (row.key == key) return row.rule;
  return DownRule::Plain;
}

// Left and right code of a generic modifier by the extended bit.
struct SidedRow {
  std::uint32_t generic, left, right;
};
constexpr SidedRow kByExtendedBit[] = {{kControl, 162, 163}, {kAlt, 164, 165}};

}  // namespace

KeyCapture CaptureKey(KeyMessage message, std::uint32_t key, std::uint32_t lParam) {
  const std::uint32_t keystroke = lParam >> 16;
  const bool repeat = (lParam & kRepeatBit) != 0;
  switch (message) {
    case KeyMessage::KeyDown:
      switch (RuleOf(key)) {
        case DownRule::ExtendedOnly:
          return {!repeat, KeyKind::Press, keystroke & kExtendedBit, false};
        case DownRule::Swallowed:
          return {!repeat, KeyKind::Press, keystroke, true};
        case DownRule::Unrecorded:
          return {false, KeyKind::Press, keystroke, false};
        case DownRule::Plain:
          break;
      }
      return {!repeat, KeyKind::Press, keystroke, false};
    case KeyMessage::KeyUp:
      return {RuleOf(key) != DownRule::Unrecorded, KeyKind::Release, keystroke, false};
    case KeyMessage::SysKeyDown:
      return {!repeat, KeyKind::Press, keystroke, false};
    case KeyMessage::SysKeyUp:
      return {true, KeyKind::Release, keystroke, false};
  }
  return {false, KeyKind::Press, keystroke, false};
}

std::uint32_t SidedKey(std::uint32_t key, std::uint32_t keystroke) {
  const bool extended = (keystroke & kExtendedBit) != 0;
  for (const SidedRow& row : kByExtendedBit)
    if (key == row.generic) return extended ? row.right : row.left;
  if (key == kShift) {
    const std::uint32_t scan = keystroke & 0xFF;
    if (scan == kLeftShiftScan) return 160;
    if (scan == kRightShiftScan) return 161;
    return kShift;
  }
  if (key == kReturn && extended) return 108;
  return key;
}

void KeyRecording::Load(std::span<const MacroEvent> events) {
  count_ = static_cast<int>(std::min<std::size_t>(events.size(), kMaxRecordedEvents));
  std::copy_n(events.begin(), count_, events_.begin());
  started_ = false;
}

void KeyRecording::Restart() {
  count_ = 0;
  started_ = false;
}

bool KeyRecording::LatestIsPress(std::uint32_t key, int count) const {
  for (int i = count - 1; i >= 0; --i)
    if (events_[i].key == key) return (events_[i].flags & kEventRelease) == 0;
  return false;
}

RecordResult KeyRecording::Record(KeyKind kind, std::uint32_t key, std::uint32_t keystroke) {
  // The first accepted key after a Load or Restart replaces the list.
  const int count = started_ ? count_ : 0;
  if (count == kMaxRecordedEvents) return {false, false};
  if (count == 1 && mode_ == MacroMode::SingleKey) return {false, false};
  key = SidedKey(key, keystroke);
  if (kind == KeyKind::Release && !LatestIsPress(key, count)) return {false, false};
  const bool newRecording = !started_;
  events_[count] = MacroEvent{key, kind == KeyKind::Release ? kEventRelease : 0u};
  count_ = count + 1;
  started_ = true;
  return {true, newRecording};
}

bool KeyRecording::MarkDelay() {
  if (mode_ != MacroMode::Macro || count_ <= 0 || count_ >= kMaxRecordedEvents) return false;
  events_[count_ - 1].flags |= kEventDelay;
  return true;
}

}  // namespace assign

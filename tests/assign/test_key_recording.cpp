// The key panel's rules without windows: which key messages are recorded, sided modifiers, the
// limits, releases after presses, pauses; loading and saving records; wrapping the display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "assign/display_layout.h"
#include "assign/key_recording.h"
#include "assign/macro_edit.h"

using namespace assign;

namespace {

constexpr std::uint32_t kRepeat = 1u << 30;
constexpr std::uint32_t kUpBits = 0xC0000000u;  // previous state and transition of a key-up

std::uint32_t Lp(std::uint32_t keystroke, std::uint32_t extra = 0) { return (keystroke << 16) | 1 | extra; }

// Letters by name; the layout is not asked for anything else in these tests.
char Letters(std::uint32_t vk) { return (vk >= 'A' && vk <= 'Z') ? static_cast<char>(vk) : '\0'; }

struct CaptureCase {
  KeyMessage message;
  std::uint32_t key;
  std::uint32_t lParam;
  KeyCapture expected;
};

TEST(KeyCaptureTest, EachKeyMessageIsRecordedOrPassedByItsRule) {
  const KeyCapture kNot{false, KeyKind::Press, 0, false};
  const CaptureCase cases[] = {
      {KeyMessage::KeyDown, 'A', Lp(0x1E), {true, KeyKind::Press, 0x1E, false}},
      {KeyMessage::KeyDown, 'A', Lp(0x1E, kRepeat), kNot},
      {KeyMessage::KeyUp, 'A', Lp(0x1E, kUpBits), {true, KeyKind::Release, 0xC01E, false}},
      // Dialog keys keep only the extended bit, and the dialog still sees them.
      {KeyMessage::KeyDown, 13, Lp(0x11C), {true, KeyKind::Press, 0x100, false}},
      {KeyMessage::KeyDown, 13, Lp(0x01C), {true, KeyKind::Press, 0, false}},
      {KeyMessage::KeyDown, 9, Lp(0x00F), {true, KeyKind::Press, 0, false}},
      {KeyMessage::KeyDown, 27, Lp(0x001), {true, KeyKind::Press, 0, false}},
      {KeyMessage::KeyDown, 40, Lp(0x150), {true, KeyKind::Press, 0x100, false}},
      {KeyMessage::KeyDown, 44, Lp(0x137), {true, KeyKind::Press, 0x100, false}},
      {KeyMessage::KeyDown, 13, Lp(0x11C, kRepeat), kNot},
      // Space is recorded and goes no further, held or not.
      {KeyMessage::KeyDown, 32, Lp(0x39), {true, KeyKind::Press, 0x39, true}},
      {KeyMessage::KeyDown, 32, Lp(0x39, kRepeat), {false, KeyKind::Press, 0x39, true}},
      {KeyMessage::KeyUp, 32, Lp(0x39, kUpBits), {true, KeyKind::Release, 0xC039, false}},
      // The Windows and Application keys are the system's.
      {KeyMessage::KeyDown, 91, Lp(0x15B), {false, KeyKind::Press, 0x15B, false}},
      {KeyMessage::KeyUp, 92, Lp(0x15C, kUpBits), {false, KeyKind::Release, 0xC15C, false}},
      {KeyMessage::KeyUp, 93, Lp(0x15D, kUpBits), {false, KeyKind::Release, 0xC15D, false}},
      {KeyMessage::SysKeyDown, 18, Lp(0x2038), {true, KeyKind::Press, 0x2038, false}},
      {KeyMessage::SysKeyDown, 18, Lp(0x2038, kRepeat), {false, KeyKind::Press, 0x2038, false}},
      {KeyMessage::SysKeyUp, 18, Lp(0x2038, kUpBits), {true, KeyKind::Release, 0xE038, false}},
  };
  for (const CaptureCase& c : cases) {
    const KeyCapture got = CaptureKey(c.message, c.key, c.lParam);
    const std::string what = "message " + std::to_string(static_cast<int>(c.message)) + " key " +
                             std::to_string(c.key);
    EXPECT_EQ(got.record, c.expected.record) << what;
    EXPECT_EQ(got.consume, c.expected.consume) << what;
    if (got.record) {
      EXPECT_EQ(got.kind, c.expected.kind) << what;
      EXPECT_EQ(got.keystroke, c.expected.keystroke) << what;
    }
  }
}

TEST(KeyCaptureTest, ModifiersBecomeSidedAndTheKeypadReturnIs108) {
  const struct {
    std::uint32_t key, keystroke, sided;
  } cases[] = {{17, 0x1D, 162}, {17, 0x11D, 163}, {18, 0x38, 164}, {18, 0x138, 165},
               {16, 0x2A, 160}, {16, 0x36, 161}, {16, 0x00, 16},   {16, 0x12A, 160},
               {13, 0x100, 108}, {13, 0x1C, 13},  {65, 0x11E, 65},  {160, 0x36, 160}};
  for (const auto& c : cases) EXPECT_EQ(SidedKey(c.key, c.keystroke), c.sided) << c.key << " " << c.keystroke;
}

// One key message through capture and recording, as the panel's pre-translation does.
bool Feed(KeyRecording& recording, KeyMessage message, std::uint32_t key, std::uint32_t lParam) {
  const KeyCapture capture = CaptureKey(message, key, lParam);
  return capture.record && recording.Record(capture.kind, key, capture.keystroke).accepted;
}
void Press(KeyRecording& r, std::uint32_t key, std::uint32_t scan = 0) { Feed(r, KeyMessage::KeyDown, key, Lp(scan)); }
void Release(KeyRecording& r, std::uint32_t key, std::uint32_t scan = 0) { Feed(r, KeyMessage::KeyUp, key, Lp(scan, kUpBits)); }
std::string Text(const KeyRecording& r) { return MacroText(r.Events(), r.Mode(), Letters); }

TEST(KeyRecordingTest, HeldShiftInSingleKeyModeIsOneSidedPressAndASecondKeyIsIgnored) {
  KeyRecording recording;
  EXPECT_TRUE(Feed(recording, KeyMessage::KeyDown, 16, Lp(0x36)));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Feed(recording, KeyMessage::KeyDown, 16, Lp(0x36, kRepeat)));
  EXPECT_FALSE(Feed(recording, KeyMessage::KeyDown, 'B', Lp(0x30)));
  EXPECT_FALSE(Feed(recording, KeyMessage::KeyUp, 16, Lp(0x36, kUpBits)));
  ASSERT_EQ(recording.Count(), 1);
  EXPECT_EQ(recording.Events()[0].key, 161u);
  EXPECT_EQ(recording.Events()[0].flags, 0u);
  EXPECT_EQ(Text(recording), "RShft ");
  EXPECT_FALSE(recording.MarkDelay()) << "no pauses in single-key mode";
}

TEST(KeyRecordingTest, MacroModeRecordsPressesAndReleasesAndIgnoresAReleaseWithoutPress) {
  KeyRecording recording;
  recording.SetMode(MacroMode::Macro);
  Press(recording, 'A');
  Release(recording, 'A');
  EXPECT_EQ(Text(recording), "A| A^ ");
  Release(recording, 'B');
  Release(recording, 'A');  // its latest event is a release already
  EXPECT_EQ(Text(recording), "A| A^ ");
  Press(recording, 'A');
  Press(recording, 'B');
  Release(recording, 'A');  // A's latest event is its press, whatever came after it
  EXPECT_EQ(Text(recording), "A| A^ A| B| A^ ");
}

TEST(KeyRecordingTest, SixteenEventsAtMostAndAPauseOnlyBeforeTheLimit) {
  KeyRecording recording;
  recording.SetMode(MacroMode::Macro);
  for (std::uint32_t key = 'A'; key < 'A' + 7; ++key) {
    Press(recording, key);
    Release(recording, key);
  }
  Press(recording, 'X');
  ASSERT_EQ(recording.Count(), 15);
  EXPECT_TRUE(recording.MarkDelay());
  EXPECT_EQ(recording.Events()[14].flags, kEventDelay);
  Release(recording, 'X');
  Press(recording, 'Y');  // the 17th
  ASSERT_EQ(recording.Count(), 16);
  EXPECT_FALSE(recording.MarkDelay());
  EXPECT_EQ(recording.Events()[15].flags, kEventRelease);
  EXPECT_EQ(recording.Events()[15].key, static_cast<std::uint32_t>('X'));
}

TEST(KeyRecordingTest, TheFirstAcceptedKeyAfterALoadStartsANewListAndARefusedOneChangesNothing) {
  const MacroEvent loaded[] = {{'Q', 0}, {'Q', kEventRelease}};
  KeyRecording recording;
  recording.SetMode(MacroMode::Macro);
  recording.Load(loaded);
  EXPECT_FALSE(recording.Started());
  Release(recording, 'Q');  // a release opens no recording: the loaded list stays
  EXPECT_EQ(Text(recording), "Q| Q^ ");
  EXPECT_FALSE(recording.Started());
  const KeyCapture ctrl = CaptureKey(KeyMessage::KeyDown, 17, Lp(0x1D));
  const RecordResult first = recording.Record(ctrl.kind, 17, ctrl.keystroke);
  EXPECT_TRUE(first.accepted);
  EXPECT_TRUE(first.newRecording);
  EXPECT_FALSE(recording.Record(KeyKind::Press, 'C', 0x2E).newRecording);
  EXPECT_EQ(Text(recording), "LCtrl| C| ");
  recording.Clear();  // a command menu closed: the list empties, the recording goes on
  Press(recording, 'D');
  EXPECT_EQ(Text(recording), "D| ");
  recording.Restart();
  EXPECT_EQ(recording.Count(), 0);
  EXPECT_FALSE(recording.Started());
}

settings::ButtonAssignment Record(std::uint8_t code, std::uint8_t option,
                                  std::vector<settings::KeyEvent> events) {
  settings::ButtonAssignment record{};
  record.button = 4;
  record.code = code;
  record.macroOption = option;
  record.eventCount = static_cast<std::uint8_t>(events.size());
  for (std::size_t i = 0; i < events.size() && i < settings::kEventSlots; ++i) record.events[i] = events[i];
  return record;
}

// The record's 44 bytes in hexadecimal, so that a difference shows where it is.
std::string Bytes(const settings::ButtonAssignment& record) {
  unsigned char raw[sizeof record];
  std::memcpy(raw, &record, sizeof record);
  std::string hex;
  for (unsigned char b : raw) {
    static const char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

TEST(MacroEditTest, LoadChoosesTheModeAndTheCommandFacesByCode) {
  const struct {
    std::uint8_t code;
    MacroMode mode;
    CommandFaceCodes faces;
  } cases[] = {
      {6, MacroMode::Macro, {98, 98, 98}},      {5, MacroMode::SingleKey, {98, 98, 98}},
      {32, MacroMode::SingleKey, {32, 98, 98}}, {36, MacroMode::SingleKey, {36, 98, 98}},
      {39, MacroMode::SingleKey, {39, 98, 98}}, {64, MacroMode::SingleKey, {98, 64, 98}},
      {72, MacroMode::SingleKey, {98, 72, 98}}, {80, MacroMode::SingleKey, {98, 98, 80}},
      {82, MacroMode::SingleKey, {98, 98, 98}}, {87, MacroMode::SingleKey, {98, 98, 87}},
      {1, MacroMode::SingleKey, {98, 98, 98}},  {114, MacroMode::SingleKey, {98, 98, 98}},
  };
  for (const auto& c : cases) {
    const LoadedEdit edit = LoadEdit(Record(c.code, 0, {}));
    EXPECT_EQ(edit.mode, c.mode) << int(c.code);
    EXPECT_EQ(edit.faces, c.faces) << int(c.code);
  }
}

TEST(MacroEditTest, AMacroLoadedAndSavedIsTheSameRecordByteForByte) {
  const settings::ButtonAssignment stored =
      Record(6, 1, {{225, 0}, {4, 0}, {4, 1}, {225, 0x81}, {88, 0}, {88, 1}});
  const LoadedEdit edit = LoadEdit(stored);
  ASSERT_EQ(edit.events.size(), 6u);
  EXPECT_EQ(edit.events[0].key, 160u);
  EXPECT_EQ(edit.events[3].flags, 0x81u);
  EXPECT_EQ(edit.events[4].key, 108u);
  settings::ButtonAssignment saved = Record(1, 0, {{9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}});
  SaveEdit(saved, edit.mode, edit.events, true);
  EXPECT_EQ(Bytes(saved), Bytes(stored));
}

TEST(MacroEditTest, UnknownUsagesKeepTheirPlaceAndAreStoredAsUsageZero) {
  const settings::ButtonAssignment stored = Record(6, 0, {{4, 0}, {50, 0x80}, {0, 1}, {200, 0}, {4, 1}});
  const LoadedEdit edit = LoadEdit(stored);
  ASSERT_EQ(edit.events.size(), 5u);
  EXPECT_EQ(edit.events[1].key, kPlaceholderKey);
  EXPECT_EQ(edit.events[1].flags, 0x80u);
  EXPECT_EQ(MacroText(edit.events, edit.mode, Letters), "A| ?|<delay> ?^ ?| A^ ");
  settings::ButtonAssignment saved = Record(6, 0, {});
  SaveEdit(saved, edit.mode, edit.events, false);
  const settings::ButtonAssignment expected = Record(6, 0, {{4, 0}, {0, 0x80}, {0, 1}, {0, 0}, {4, 1}});
  EXPECT_EQ(Bytes(saved), Bytes(expected));
}

TEST(MacroEditTest, AtMostSixteenEventsAreLoaded) {
  std::vector<settings::KeyEvent> twenty(20, settings::KeyEvent{4, 0});
  EXPECT_EQ(LoadEdit(Record(6, 0, twenty)).events.size(), 16u);
}

TEST(MacroEditTest, SingleKeyModeStoresCodeFiveOnlyWithAKeyAndAlwaysOptionZero) {
  settings::ButtonAssignment withKey = Record(64, 1, {{7, 7}, {7, 7}});
  const MacroEvent f5[] = {{116, 0}};
  SaveEdit(withKey, MacroMode::SingleKey, f5, true);
  EXPECT_EQ(Bytes(withKey), Bytes(Record(5, 0, {{62, 0}})));

  settings::ButtonAssignment command = Record(64, 1, {});
  SaveEdit(command, MacroMode::SingleKey, {}, true);
  EXPECT_EQ(Bytes(command), Bytes(Record(64, 0, {}))) << "the command stays";

  settings::ButtonAssignment macro = Record(11, 0, {});
  SaveEdit(macro, MacroMode::Macro, {}, true);
  EXPECT_EQ(Bytes(macro), Bytes(Record(6, 1, {})));
}

TEST(MacroEditTest, OnlyButtonsOneToSevenHaveTheOptionInMacroMode) {
  for (int b = 0; b < settings::kButtonCount; ++b) {
    EXPECT_EQ(OptionAvailable(MacroMode::Macro, b), b < 7) << b;
    EXPECT_FALSE(OptionAvailable(MacroMode::SingleKey, b)) << b;
  }
}

// Every character 6 pixels wide, the glyphs 7.
int Advance(char c) { return (c == '^' || c == '|') ? 7 : 6; }

TEST(DisplayLayoutTest, TextWrapsBeforeTheRightEdgeOntoAtMostFiveLines) {
  // "AB| " is 6 + 6 + 7 + 6 = 25 pixels: from x = 2 two of them end at 52; the next "A" ends
  // at 58, short of the edge at 60, and the "B" after it would reach it: nine per line.
  std::string text;
  for (int i = 0; i < 12; ++i) text += "AB| ";
  const DisplayLayout layout = LayOutMacroText(text, Advance, 60);
  ASSERT_EQ(layout.lineEnds.size(), 5u);
  for (const PlacedChar& placed : layout.chars) {
    EXPECT_LT(placed.x + Advance(placed.c), 60) << placed.c << " at " << placed.x;
    EXPECT_LT(placed.line, kDisplayLines);
  }
  EXPECT_EQ(layout.chars.front().x, kDisplayTextLeft);
  EXPECT_EQ(layout.chars[9].line, 1) << "the tenth character starts line 1";
  EXPECT_EQ(layout.chars[9].x, kDisplayTextLeft);
  EXPECT_EQ(layout.lineEnds[0], 58);
  EXPECT_LT(layout.chars.size(), text.size()) << "what follows the fifth line is left out";
  EXPECT_EQ(layout.chars.size(), 5u * 9u);
}

TEST(DisplayLayoutTest, EmptyTextHasNoLines) {
  EXPECT_TRUE(LayOutMacroText("", Advance, 100).lineEnds.empty());
}

}  // namespace

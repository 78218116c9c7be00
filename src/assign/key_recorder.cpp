// KeyRecorder: key capture before any other processing.
#include "assign/key_recorder.h"

#include <optional>

namespace assign {
namespace {

std::optional<KeyMessage> KeyMessageOf(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
      return KeyMessage::KeyDown;
    case WM_KEYUP:
      return KeyMessage::KeyUp;
    case WM_SYSKEYDOWN:
      return KeyMessage::SysKeyDown;
    case WM_SYSKEYUP:
      return KeyMessage::SysKeyUp;
    default:
      return std::nullopt;
  }
}

}  // namespace

KeyRecorder::KeyRecorder(UINT templateId, HWND mainWindow, std::string programFolder,
                         std::string skinPath, panels::PanelCode arrowCode)
    : SidePanel(templateId, mainWindow, std::move(programFolder), std::move(skinPath), arrowCode) {}

// The routing asks each window from the message's own up to the panel; only the panel records,
// so a key is recorded once wherever the focus is. What is not consumed here goes on to the
// window: Tab moves the focus. Return and Escape are keys to record here, never commands: they
// press no button and end nothing.
bool KeyRecorder::PreTranslateMessage(MSG& msg) {
  const std::optional<KeyMessage> message = KeyMessageOf(msg.message);
  if (!message) return SidePanel::PreTranslateMessage(msg);
  const auto key = static_cast<std::uint32_t>(msg.wParam);
  const KeyCapture capture = CaptureKey(*message, key, static_cast<std::uint32_t>(msg.lParam));
  if (capture.record) Record(capture.kind, key, capture.keystroke);
  const bool dialogKey = *message == KeyMessage::KeyDown && (key == VK_RETURN || key == VK_ESCAPE);
  return capture.consume || dialogKey || SidePanel::PreTranslateMessage(msg);
}

void KeyRecorder::Record(KeyKind kind, std::uint32_t key, std::uint32_t keystroke) {
  const RecordResult result = recording_.Record(kind, key, keystroke);
  if (result.accepted) OnKeyRecorded(result);
}

}  // namespace assign

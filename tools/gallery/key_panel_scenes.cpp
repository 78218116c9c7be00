// KeyPanelScene: the three states of the key panel the gallery shows.
#include "key_panel_scenes.h"

#include <cstdint>

#include "settings/profile_set.h"

namespace gallery {
namespace {

constexpr int kButton = 3;  // mouse button 4
constexpr int kSlidingWidth = 150;  // about two thirds of the way open

settings::ButtonAssignment& Edited(settings::SettingsSession& session) {
  return *settings::RecordOf(session.Current(), 0, kButton);
}

// A key message as the keyboard would bring it to the focused window.
void PostKey(HWND to, UINT message, UINT key, UINT keystroke) {
  const bool up = message == WM_KEYUP;
  PostMessageA(to, message, key, static_cast<LPARAM>(1u | (keystroke << 16) | (up ? 0xC0000000u : 0u)));
}

}  // namespace

bool IsKeyPanelScene(const std::string& name) {
  return name == "key_panel_sliding" || name == "key_panel_single" || name == "key_panel_macro";
}

KeyPanelScene::KeyPanelScene(std::string name, const std::string& programFolder)
    : name_(std::move(name)), editor_(nullptr, programFolder) {
  settings::ProfileSet defaults{};
  settings::SetDefaults(defaults);
  settings::Normalise(session_.Current(), defaults);
}

bool KeyPanelScene::Create() {
  editor_.AttachSettings(session_);
  if (!editor_.Create()) return false;
  if (name_ == "key_panel_sliding") Sliding();
  if (name_ == "key_panel_single") SingleKey();
  if (name_ == "key_panel_macro") Macro();
  return true;
}

// A stored macro, the panel at the width a slide has reached: the right-hand part of the face,
// the controls still hidden.
void KeyPanelScene::Sliding() {
  Edited(session_) = settings::ButtonAssignment{4, 6, 1, 4, {{225, 0}, {4, 0}, {4, 1}, {225, 0x81}}};
  editor_.Load(kButton);
  SetWindowPos(Handle(), nullptr, 0, 0, kSlidingWidth, editor_.FaceSize().cy, SWP_NOMOVE | SWP_NOZORDER);
}

// A stored single key, highlighted as a loaded record is.
void KeyPanelScene::SingleKey() {
  Edited(session_) = settings::ButtonAssignment{4, 5, 0, 1, {{62, 0}}};  // F5
  editor_.Load(kButton);
}

// Macro mode, the option on, and sixteen key events typed with two pauses: long enough to wrap.
void KeyPanelScene::Macro() {
  editor_.Load(kButton);
  SendMessageA(editor_.Control(assign::kMacroButton), BM_CLICK, 0, 0);
  SendMessageA(editor_.Control(assign::kOptionButton), BM_CLICK, 0, 0);
  HWND display = editor_.Display().Handle();
  const struct {
    UINT message, key, keystroke;
  } keys[] = {
      {WM_KEYDOWN, VK_CONTROL, 0x1D}, {WM_KEYDOWN, VK_SHIFT, 0x2A}, {WM_KEYDOWN, 'S', 0x1F},
      {WM_KEYUP, 'S', 0x1F},          {WM_KEYUP, VK_SHIFT, 0x2A},   {WM_KEYUP, VK_CONTROL, 0x1D},
      {0, 0, 0},  // a pause
      {WM_KEYDOWN, VK_F5, 0x3F},      {WM_KEYUP, VK_F5, 0x3F},      {WM_KEYDOWN, VK_TAB, 0x0F},
      {WM_KEYUP, VK_TAB, 0x0F},       {0, 0, 0},                    {WM_KEYDOWN, 'M', 0x32},
      {WM_KEYUP, 'M', 0x32},          {WM_KEYDOWN, VK_RETURN, 0x11C}, {WM_KEYUP, VK_RETURN, 0x11C},
      {WM_KEYDOWN, VK_HOME, 0x147},   {WM_KEYUP, VK_HOME, 0x147},
  };
  for (const auto& k : keys) {
    if (k.message == 0) {
      PostMessageA(editor_.Control(assign::kDelayButton), BM_CLICK, 0, 0);
    } else {
      PostKey(display, k.message, k.key, k.keystroke);
    }
  }
}

}  // namespace gallery

// KeyRecorder: the base of the expanded key panel. Every key message to the panel or to one of its
// controls passes its pre-translation first, and is recorded there once, whichever of them has
// the focus.
#pragma once

#include <windows.h>

#include <string>

#include "assign/key_recording.h"
#include "panels/side_panel.h"

namespace assign {

class KeyRecorder : public panels::SidePanel {
 public:
  KeyRecorder(UINT templateId, HWND mainWindow, std::string programFolder, std::string skinPath,
              panels::PanelCode arrowCode);

  const KeyRecording& Recording() const { return recording_; }

 protected:
  // Key capture; every other message goes on to the panel's own pre-translation.
  bool PreTranslateMessage(MSG& msg) override;

  // The key event handler: one press or release with its keystroke flags.
  void Record(KeyKind kind, std::uint32_t key, std::uint32_t keystroke);
  // What the panel shows after an accepted key.
  virtual void OnKeyRecorded(const RecordResult& result) = 0;

  KeyRecording& EditRecording() { return recording_; }

 private:
  KeyRecording recording_;
};

}  // namespace assign

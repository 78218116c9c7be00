// MacroEditor: the expanded key panel (template 134, "skins\\skin_key_expand.ini"): gives one
// mouse button a single key, a basic, additional or media command, or a recorded keyboard macro.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "assign/face_cells.h"
#include "assign/key_recorder.h"
#include "assign/macro_display.h"
#include "assign/macro_edit.h"
#include "assign/menu_codes.h"
#include "settings/settings_session.h"
#include "skin/skin_button.h"

namespace assign {

// The panel's buttons by their BUTTONPOS index.
enum EditorButton : int {
  kCloseButton = 1,       // stores the edit and asks the main window to close the panel
  kOptionButton = 2,      // macro option, a toggle
  kSingleKeyButton = 3,   // latched in single-key mode
  kMacroButton = 4,       // latched in macro mode
  kBasicButton = 5,       // basic command menu
  kAdditionalButton = 6,  // additional command menu
  kMediaButton = 7,       // media command menu
  kDelayButton = 8,       // a pause after the last event
};
constexpr int kEditorButtonCount = 8;
// The command buttons show their cell with its drop-down end, this much wider.
constexpr int kCommandFaceExtra = 20;

class MacroEditor : public KeyRecorder {
 public:
  MacroEditor(HWND mainWindow, std::string programFolder);

  // The session whose current profile the panel edits; the panel shows a record only after
  // the next Load.
  void AttachSettings(settings::SettingsSession& session) { session_ = &session; }
  // Shows and edits the record of mouse button `buttonIndex` (0..8) of the current profile.
  void Load(int buttonIndex);
  // Writes mode, keys and option into the record the panel edits (nothing before a Load).
  void Save();
  // Gives the panel the focus now, or when it next shows.
  void TakeFocusWhenShown();

  const MacroDisplay& Display() const { return display_; }
  const skin::SkinButton& Button(EditorButton which) const { return buttons_[which - 1]; }

 protected:
  LRESULT OnCreate() override;
  BOOL OnInitDialog() override;
  void OnRebuilt() override { OnInitDialog(); }
  bool ProcessMessage(win::Message& m) override;
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  void Paint(HDC dc, const RECT& client) override;
  void OnKeyRecorded(const RecordResult& result) override;

 private:
  void OnClose();
  void OnSingleKeyMode();
  void OnMacroMode();
  void OnBasicCommand();
  void OnAdditionalCommand();
  void OnMediaCommand();
  void OnDelay();
  void OnOtherCommand();
  void OnSize();
  void OnWindowPosChanged(const WINDOWPOS& pos);
  void OnDestroy();

  void SwitchMode(MacroMode mode);
  void ShowMode(MacroMode mode);
  void ChooseCommand(Menu menu, EditorButton from);
  void ShowCommandFaces(const CommandFaceCodes& codes);
  void SetOptionToggle();
  void RefreshDisplay();
  void Enable(EditorButton which, bool on);
  skin::SkinButton& ButtonAt(EditorButton which) { return buttons_[which - 1]; }
  settings::ButtonAssignment* EditedRecord();

  settings::SettingsSession* session_ = nullptr;  // not owned
  int buttonIndex_ = 0;
  bool loaded_ = false;
  bool focusWhenShown_ = false;
  bool created_ = false;  // WM_SIZE shows and hides controls only once they exist
  std::array<skin::SkinButton, kEditorButtonCount> buttons_;
  MacroDisplay display_;
  std::unique_ptr<FaceCells> commandFaces_;  // the label sheet's pictures, for buttons 5 to 7
};

}  // namespace assign

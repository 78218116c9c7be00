// MacroEditor: skin, modes, command menus, delay, the record it loads and saves, and painting
// while it slides.
#include "assign/macro_editor.h"

#include <utility>

#include "assign/assignment_rules.h"
#include "assign/command_menu.h"
#include "assign/layout_char_win.h"
#include "settings/function_catalogue.h"
#include "skin/resource_ids.h"
#include "win32/paint.h"

namespace assign {
namespace {

constexpr EditorButton kCommandButtons[] = {kBasicButton, kAdditionalButton, kMediaButton};

}  // namespace

MacroEditor::MacroEditor(HWND mainWindow, std::string programFolder)
    : KeyRecorder(IDD_KEY_EXPANDED, mainWindow, std::move(programFolder),
                  "skins\\skin_key_expand.ini", panels::kCodeCloseKeys) {}

// Buttons 1 to 4 look unlatched when disabled (their disabled face is the normal one); the
// command and delay buttons have a disabled picture of their own.
void MacroEditor::CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) {
  const skin::FaceSources plain{pictures.main, pictures.over, pictures.down, pictures.main};
  for (int k = 1; k <= kEditorButtonCount; ++k)
    CreateButton(buttons_[k - 1], skin, k, k <= kMacroButton ? plain : pictures.Faces());
  ButtonAt(kOptionButton).SetToggleMode(true);
  ButtonAt(kSingleKeyButton).SetChoice(true);
  ButtonAt(kMacroButton).SetChoice(true);
  display_.Create(Handle(), skin.ReadRect("MACRODISPLAY", 1));
  display_.SetName(skin::NameOf(skin.ReadItem("MACRODISPLAY", 1)));
  commandFaces_ = std::make_unique<FaceCells>();
  commandFaces_->Load(ProgramFolder(), Scale().percent);
}

LRESULT MacroEditor::OnCreate() {
  const LRESULT result = KeyRecorder::OnCreate();
  created_ = true;
  return result;
}

// A hidden panel takes no focus at start-up (FALSE): the main window keeps it.
BOOL MacroEditor::OnInitDialog() {
  for (EditorButton command : kCommandButtons) Enable(command, true);
  display_.SetHighlight(true);
  RefreshDisplay();
  return FALSE;
}

bool MacroEditor::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<MacroEditor> kMap[] = {
      win::OnControl<&MacroEditor::OnClose>(kCloseButton),
      win::OnControl<&MacroEditor::OnSingleKeyMode>(kSingleKeyButton),
      win::OnControl<&MacroEditor::OnMacroMode>(kMacroButton),
      win::OnControl<&MacroEditor::OnBasicCommand>(kBasicButton),
      win::OnControl<&MacroEditor::OnAdditionalCommand>(kAdditionalButton),
      win::OnControl<&MacroEditor::OnMediaCommand>(kMediaButton),
      win::OnControl<&MacroEditor::OnDelay>(kDelayButton),
      // The option toggle, and IDOK and IDCANCEL that the dialog manager makes of Return and
      // Escape: handled here, so that nothing closes the panel.
      win::OnMessage<&MacroEditor::OnOtherCommand>(WM_COMMAND),
      win::Reply<MacroEditor, 1>(WM_ERASEBKGND),  // the face covers the client area
      win::OnMessage<&MacroEditor::OnSize>(WM_SIZE, Default::After),
      win::OnWindowPosChanged<&MacroEditor::OnWindowPosChanged>(Default::After),
      win::OnMessage<&MacroEditor::OnDestroy>(WM_DESTROY, Default::After),
  };
  return Dispatch(kMap, m) || KeyRecorder::ProcessMessage(m);
}

void MacroEditor::OnClose() {
  Save();
  panels::PostPanelCode(MainWindow(), panels::kCodeCloseKeys);
}

void MacroEditor::OnSingleKeyMode() { SwitchMode(MacroMode::SingleKey); }
void MacroEditor::OnMacroMode() { SwitchMode(MacroMode::Macro); }
void MacroEditor::OnBasicCommand() { ChooseCommand(Menu::BasicCommand, kBasicButton); }
void MacroEditor::OnAdditionalCommand() { ChooseCommand(Menu::AdditionalCommand, kAdditionalButton); }
void MacroEditor::OnMediaCommand() { ChooseCommand(Menu::MediaCommand, kMediaButton); }
void MacroEditor::OnOtherCommand() {}

void MacroEditor::OnDelay() {
  if (EditRecording().MarkDelay()) RefreshDisplay();
}

// While the panel slides open it is narrower than its face: only the close button shows.
// The panel records what is typed into it: opened, it takes the focus as soon as it shows, so
// that a key pressed as it opens is recorded rather than lost on the main window. A hidden
// window cannot take it, and the slide shows the panel only at its first step.
void MacroEditor::TakeFocusWhenShown() {
  if (!IsWindowVisible(Handle())) {
    focusWhenShown_ = true;
    return;
  }
  HWND focus = GetFocus();
  if (focus != Handle() && !IsChild(Handle(), focus)) SetFocus(Handle());
}

void MacroEditor::OnWindowPosChanged(const WINDOWPOS& pos) {
  if (!focusWhenShown_ || !(pos.flags & SWP_SHOWWINDOW)) return;
  focusWhenShown_ = false;
  SetFocus(Handle());
}

void MacroEditor::OnSize() {
  if (!created_) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  const int show = win::Width(window) < FaceSize().cx ? SW_HIDE : SW_SHOW;
  for (int k = kOptionButton; k <= kEditorButtonCount; ++k)
    ShowWindow(ButtonAt(static_cast<EditorButton>(k)).Handle(), show);
  ShowWindow(display_.Handle(), show);
}

void MacroEditor::OnDestroy() { commandFaces_.reset(); }

// The face's bottom-right corner stays at the client's: a panel sliding open from the main
// window's edge shows its right-hand part first.
void MacroEditor::Paint(HDC dc, const RECT& client) {
  if (!Face()) return DrawFace(dc, client);
  const SIZE face = FaceSize();
  win::DrawBitmap(dc, client, Face(),
                  POINT{face.cx - win::Width(client), face.cy - win::Height(client)});
}

void MacroEditor::OnKeyRecorded(const RecordResult& result) {
  if (result.newRecording) display_.SetHighlight(false);
  RefreshDisplay();
  if (Recording().DelayAvailable()) Enable(kDelayButton, true);
}

void MacroEditor::Load(int buttonIndex) {
  buttonIndex_ = buttonIndex;
  Enable(kDelayButton, false);
  settings::ButtonAssignment* record = EditedRecord();
  loaded_ = record != nullptr;
  if (!record) return;
  const LoadedEdit edit = LoadEdit(*record);
  EditRecording().SetMode(edit.mode);
  ShowMode(edit.mode);
  ShowCommandFaces(edit.faces);
  EditRecording().Load(edit.events);
  display_.SetHighlight(true);
  RefreshDisplay();
  SetOptionToggle();
}

void MacroEditor::Save() {
  settings::ButtonAssignment* record = EditedRecord();
  if (!loaded_ || !record) return;
  SaveEdit(*record, Recording().Mode(), Recording().Events(), ButtonAt(kOptionButton).Latched());
}

void MacroEditor::SwitchMode(MacroMode mode) {
  ShowMode(mode);
  EditRecording().SetMode(mode);
  display_.SetHighlight(true);
  EditRecording().Restart();
  RefreshDisplay();
  if (mode == MacroMode::SingleKey) {
    Enable(kDelayButton, false);
  } else {
    ShowCommandFaces(NoCommandFaces());
  }
  SetOptionToggle();
}

// The mode buttons latch for their mode; the command menus are for single-key mode only.
void MacroEditor::ShowMode(MacroMode mode) {
  const bool macro = mode == MacroMode::Macro;
  ButtonAt(kSingleKeyButton).SetLatched(!macro);
  ButtonAt(kMacroButton).SetLatched(macro);
  for (EditorButton command : kCommandButtons) Enable(command, !macro);
}

// A command chosen is written into the record at once and empties the list; a key recorded
// afterwards makes Save store a single key instead.
void MacroEditor::ChooseCommand(Menu menu, EditorButton from) {
  CommandMenu popup(Handle(), ProgramFolder(), menu, buttonIndex_);
  popup.DropBelow(ButtonAt(from).Handle());
  if (const settings::ButtonAssignment* record = EditedRecord()) popup.MarkCurrent(ItemOfCode(menu, record->code));
  const std::uint8_t code = CodeOfResult(menu, static_cast<int>(popup.DoModal()));
  if (code != 0) {
    if (settings::ButtonAssignment* record = EditedRecord()) WriteFunction(*record, code);
    ShowCommandFaces(CommandFacesOf(code));
    display_.SetHighlight(true);
    EditRecording().Restart();
    RefreshDisplay();
  }
  EditRecording().Clear();  // also when the menu closed without a choice
  RefreshDisplay();
}

void MacroEditor::ShowCommandFaces(const CommandFaceCodes& codes) {
  if (!commandFaces_) return;
  const std::pair<EditorButton, std::uint8_t> faces[] = {
      {kMediaButton, codes.media}, {kBasicButton, codes.basic}, {kAdditionalButton, codes.additional}};
  for (const auto& [button, code] : faces)
    commandFaces_->ShowCell(ButtonAt(button), settings::FaceCellIndex(code), Px(kCommandFaceExtra));
}

void MacroEditor::SetOptionToggle() {
  skin::SkinButton& option = ButtonAt(kOptionButton);
  const settings::ButtonAssignment* record = EditedRecord();
  if (OptionAvailable(Recording().Mode(), buttonIndex_)) {
    Enable(kOptionButton, true);
    option.SetLatched(record && record->macroOption != 0);
  } else {
    option.SetLatched(false);
    Enable(kOptionButton, false);
  }
}

void MacroEditor::RefreshDisplay() {
  display_.SetText(MacroText(Recording().Events(), Recording().Mode(), LayoutChar));
}

void MacroEditor::Enable(EditorButton which, bool on) {
  if (HWND button = ButtonAt(which).Handle()) EnableWindow(button, on ? TRUE : FALSE);
}

settings::ButtonAssignment* MacroEditor::EditedRecord() {
  if (!session_) return nullptr;
  settings::ProfileSet& set = session_->Current();
  return settings::RecordOf(set, set.Profile, buttonIndex_);
}

}  // namespace assign

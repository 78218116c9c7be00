// ProgramProfilesDialog: controls from the skin, adding from running programs or a file,
// removing, the two profile rows, the switch, and OK/Cancel.
#include "tray/program_profiles_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "tray/program_windows.h"
#include "tray/tray_ids.h"
#include "tray/tray_resource.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace tray {

const char kProgramProfilesTitle[] = "Program profiles";

namespace {

const char kSkinPath[] = "skins\\skin_program_profiles.ini";
const char kNoProgramsText[] = "No other program has a window open";
constexpr int kListSkinKey = 1;  // RULELIST 1

}  // namespace

int ChooseFromMenu(HWND owner, const std::vector<std::string>& programs, POINT at) {
  win::Menu menu(CreatePopupMenu());
  if (!menu) return -1;
  for (std::size_t i = 0; i < programs.size(); ++i)
    AppendMenuA(menu.Get(), MF_STRING, i + 1, programs[i].c_str());
  if (programs.empty()) AppendMenuA(menu.Get(), MF_STRING | MF_GRAYED, 0, kNoProgramsText);
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_NONOTIFY, at.x,
      at.y, 0, owner, nullptr));
  return chosen - 1;
}

std::string ChooseProgramFile(HWND owner) {
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Programs (*.exe)\0*.exe\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrDefExt = "exe";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return GetOpenFileNameA(&dialog) ? std::string(path) : std::string();
}

ProgramProfilesDialog::ProgramProfilesDialog(HWND parent, std::string programFolder,
                                             ProgramRules rules, ProgramChoosers choosers)
    : SkinnedDialog(IDD_PROGRAM_PROFILES, parent, std::move(programFolder), kSkinPath,
                    {.draggable = true, .centred = true}),
      rules_(std::move(rules)),
      choosers_(std::move(choosers)) {}

void ProgramProfilesDialog::CreateControls(const skin::SkinFile& skin,
                                           const skin::ScreenPictures& pictures) {
  const skin::FaceSources faces = pictures.Faces();
  CreateButton(ok_, skin, kProfilesOk, faces);
  CreateButton(cancel_, skin, kProfilesCancel, faces);
  CreateButton(switch_, skin, kProfilesSwitch, faces);
  switch_.SetToggleMode(true);  // on shows the Down face
  CreateButton(addRunning_, skin, kProfilesAddRunning, faces);
  CreateButton(browse_, skin, kProfilesBrowse, faces);
  CreateButton(remove_, skin, kProfilesRemove, faces);
  CreateButton(notice_, skin, kProfilesNotice, faces);
  notice_.SetToggleMode(true);
  for (int i = 0; i < kLastProfile; ++i) {
    CreateButton(ruleProfiles_[i], skin, kProfilesRuleFirst + i, faces);
    ruleProfiles_[i].SetChoice(true);
  }
  for (int i = 0; i <= kLastProfile; ++i) {
    CreateButton(otherPrograms_[i], skin, kProfilesOtherLeave + i, faces);
    otherPrograms_[i].SetChoice(true);
  }
  const RECT rect = skin.ReadRect("RULELIST", kListSkinKey);
  if (list_.Create(Handle(), rect, pictures.main.get())) AddControl(list_.Handle(), kProfilesList);
}

// Opened from the tray, it has a taskbar button of its own (the template makes it an
// application window) and comes to the front once shown, so that it is not lost behind others.
BOOL ProgramProfilesDialog::OnInitDialog() {
  ShowAll();
  PostMessageA(Handle(), kComeForwardMessage, 0, 0);
  return SkinnedDialog::OnInitDialog();
}

void ProgramProfilesDialog::ShowAll() {
  SetWindowTextA(Handle(), kProgramProfilesTitle);
  LoadIcons();
  list_.SetRules(rules_.rules);
  list_.Select(rules_.rules.empty() ? -1 : 0);
  Refresh();
}

bool ProgramProfilesDialog::ProcessMessage(win::Message& m) {
  using D = ProgramProfilesDialog;
  static constexpr win::MessageRow<D> kMap[] = {
      win::OnControl<&D::OnOk>(kProfilesOk),
      win::OnControl<&D::OnCancel>(kProfilesCancel),
      win::OnControl<&D::OnSwitch>(kProfilesSwitch),
      win::OnControl<&D::OnAddRunning>(kProfilesAddRunning),
      win::OnControl<&D::OnBrowse>(kProfilesBrowse),
      win::OnControl<&D::OnRemove>(kProfilesRemove),
      win::OnControl<&D::OnRuleProfile>(kProfilesRuleFirst, kProfilesRuleFirst + kLastProfile - 1),
      win::OnControl<&D::OnOtherPrograms>(kProfilesOtherLeave, kProfilesOtherFirst + kLastProfile - 1),
      win::OnControl<&D::OnListSelect>(kProfilesList),
      win::OnControl<&D::OnNotice>(kProfilesNotice),
      win::OnMessage<&D::ComeForward>(kComeForwardMessage),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

// The mouse's icon, each size drawn for the window's DPI.
void ProgramProfilesDialog::LoadIcons() {
  const std::wstring file = win::Widen(ProgramFolder() + "skins\\logo.ico");
  icons_.Load(Handle(), win::WindowDpi(Handle()), [&](int size) {
    return static_cast<HICON>(LoadImageW(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
  });
}

// The toggle buttons have flipped their latch already.
void ProgramProfilesDialog::OnSwitch() { rules_.enabled = switch_.Latched(); }

// The menu drops below the button, the programs of the frontmost windows first.
void ProgramProfilesDialog::OnAddRunning() {
  const std::vector<std::string> programs = ProgramsWithWindows(GetCurrentProcessId());
  RECT button{};
  GetWindowRect(addRunning_.Handle(), &button);
  const int chosen = choosers_.program(Handle(), programs, POINT{button.left, button.bottom});
  if (chosen >= 0 && chosen < static_cast<int>(programs.size())) Add(programs[chosen]);
}

void ProgramProfilesDialog::OnBrowse() {
  const std::string path = choosers_.file(Handle());
  if (!path.empty()) Add(path);
}

// A new rule starts with profile 1; a program that has a rule already is selected instead.
void ProgramProfilesDialog::Add(const std::string& program) {
  const int index = AddRule(rules_, program, kFirstProfile);
  if (index < 0) return;
  list_.SetRules(rules_.rules);
  list_.Select(index);
  Refresh();
}

void ProgramProfilesDialog::OnRemove() {
  const int index = list_.Selected();
  if (index < 0 || index >= static_cast<int>(rules_.rules.size())) return;
  rules_.rules.erase(rules_.rules.begin() + index);
  list_.SetRules(rules_.rules);
  list_.Select(std::min(index, static_cast<int>(rules_.rules.size()) - 1));
  Refresh();
}

void ProgramProfilesDialog::OnRuleProfile(int index) {
  const int rule = list_.Selected();
  if (rule < 0 || rule >= static_cast<int>(rules_.rules.size())) return;
  rules_.rules[static_cast<std::size_t>(rule)].profile = index - kProfilesRuleFirst + kFirstProfile;
  list_.SetRules(rules_.rules);
  Refresh();
}

void ProgramProfilesDialog::OnOtherPrograms(int index) {
  rules_.otherPrograms = index - kProfilesOtherLeave;  // "as is" is kLeaveProfile, 0
  Refresh();
}

void ProgramProfilesDialog::OnListSelect() { Refresh(); }

// The buttons show the rules: the switch, the selected rule's profile, the one for the others.
void ProgramProfilesDialog::Refresh() {
  switch_.SetLatched(rules_.enabled);
  notice_.SetLatched(rules_.showNotice);
  const int rule = list_.Selected();
  const bool selected = rule >= 0 && rule < static_cast<int>(rules_.rules.size());
  const int profile = selected ? rules_.rules[static_cast<std::size_t>(rule)].profile : 0;
  for (int i = 0; i < kLastProfile; ++i) {
    ruleProfiles_[i].SetLatched(profile == i + kFirstProfile);
    EnableWindow(ruleProfiles_[i].Handle(), selected);
  }
  EnableWindow(remove_.Handle(), selected);
  EnableWindow(addRunning_.Handle(), rules_.rules.size() < kMaxRules);
  EnableWindow(browse_.Handle(), rules_.rules.size() < kMaxRules);
  for (int i = 0; i <= kLastProfile; ++i) otherPrograms_[i].SetLatched(rules_.otherPrograms == i);
}

}  // namespace tray

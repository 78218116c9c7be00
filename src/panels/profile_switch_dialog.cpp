// ProfileSwitchDialog: the selection, its display, and writing the choice.
#include "panels/profile_switch_dialog.h"

#include <cstring>

#include "skin/resource_ids.h"

namespace panels {
namespace {

// The code each code button selects.
struct CodeButton {
  int index;
  int code;
};
constexpr CodeButton kCodeButtons[] = {
    {kSwitchNextProfile, 23}, {kSwitchPreviousProfile, 24}, {kSwitchProfile1, 18},
    {kSwitchProfile1 + 1, 19}, {kSwitchProfile1 + 2, 20},  {kSwitchProfile1 + 3, 21},
    {kSwitchProfile5, 22},
};

int CodeOf(int index) {
  for (const CodeButton& button : kCodeButtons)
    if (button.index == index) return button.code;
  return -1;
}

bool IsProfileSwitchCode(int code) { return code >= 18 && code <= 24; }

}  // namespace

ProfileSwitchDialog::ProfileSwitchDialog(HWND mainWindow, std::string programFolder,
                                         settings::SettingsSession& session, int buttonIndex,
                                         std::function<void()> save)
    : SkinnedDialog(IDD_PROFILE_SWITCH, mainWindow, std::move(programFolder),
                    "skins\\skin_profile_set.ini",
                    {.draggable = true, .centred = true, .onlyButtons = true, .buffered = true}),
      session_(session),
      save_(std::move(save)),
      buttonIndex_(buttonIndex) {
  const settings::ProfileSet& record = session.Current();
  if (const settings::ButtonAssignment* button = settings::RecordOf(record, record.Profile, buttonIndex))
    selected_ = button->code;
}

void ProfileSwitchDialog::CreateControls(const skin::SkinFile& skin,
                                         const skin::ScreenPictures& pictures) {
  for (int index = 1; index <= kSwitchProfile5; ++index)
    CreateButton(buttons_[index], skin, index, pictures.Faces());
  for (int index = kSwitchProfile1; index <= kSwitchProfile5; ++index) buttons_[index].SetChoice(true);
}

BOOL ProfileSwitchDialog::OnInitDialog() {
  ShowSelection();
  return TRUE;
}

bool ProfileSwitchDialog::ProcessMessage(win::Message& m) {
  using Self = ProfileSwitchDialog;
  static constexpr win::MessageRow<Self> kMap[] = {
      win::OnControl<&Self::OnCodeButton>(kSwitchNextProfile, kSwitchPreviousProfile),
      win::OnControl<&Self::OnOkButton>(kSwitchOk),
      win::OnControl<&Self::OnApplyButton>(kSwitchApply),
      win::OnControl<&Self::OnCancelButton>(kSwitchCancel),
      win::OnControl<&Self::OnCodeButton>(kSwitchProfile1, kSwitchProfile5),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

void ProfileSwitchDialog::OnCodeButton(int index) {
  selected_ = CodeOf(index);
  ShowSelection();
}

// Until a profile-switch code is selected, OK leaves like Cancel: the button may hold a macro
// that writing would destroy.
void ProfileSwitchDialog::OnOkButton() { EndDialog(WriteChoice() ? IDOK : IDCANCEL); }

void ProfileSwitchDialog::OnApplyButton() {
  if (WriteChoice() && save_) save_();
}

void ProfileSwitchDialog::OnCancelButton() { EndDialog(IDCANCEL); }

// The code goes into the record with an empty event list; the button number and the macro
// option stay. False, with nothing written, while no profile-switch code is selected.
bool ProfileSwitchDialog::WriteChoice() {
  settings::ProfileSet& record = session_.Current();
  settings::ButtonAssignment* button = settings::RecordOf(record, record.Profile, buttonIndex_);
  if (!button || !IsProfileSwitchCode(selected_)) return false;
  button->code = static_cast<std::uint8_t>(selected_);
  button->eventCount = 0;
  std::memset(button->events, 0, sizeof button->events);
  return true;
}

// The profile buttons show the selected profile latched; the step codes 23 and 24 latch none,
// and a code of another kind leaves the display as it is.
void ProfileSwitchDialog::ShowSelection() {
  if (!IsProfileSwitchCode(selected_)) return;
  for (int index = kSwitchProfile1; index <= kSwitchProfile5; ++index)
    buttons_[index].SetLatched(CodeOf(index) == selected_);
}

}  // namespace panels

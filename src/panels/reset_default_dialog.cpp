// ResetDefaultDialog: its two buttons and their answers.
#include "panels/reset_default_dialog.h"

#include "panels/swallowed_keys.h"
#include "skin/resource_ids.h"
#include "win32/paint.h"

namespace panels {

ResetDefaultDialog::ResetDefaultDialog(HWND parent, std::string programFolder)
    : SkinnedDialog(IDD_RESET_DEFAULT, parent, std::move(programFolder),
                    "skins\\skin_reset_default.ini", true) {}

void ResetDefaultDialog::CreateControls(const skin::SkinFile& skin,
                                        const skin::ScreenPictures& pictures) {
  CreateButton(ok_, skin, kResetOk, pictures.Faces());
  CreateButton(cancel_, skin, kResetCancel, pictures.Faces());
}

BOOL ResetDefaultDialog::OnInitDialog() {
  win::CentreWindow(Handle(), GetParent(Handle()));  // over the window it was opened from
  return SkinnedDialog::OnInitDialog();
}

bool ResetDefaultDialog::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<ResetDefaultDialog> kMap[] = {
      win::OnControl<&ResetDefaultDialog::OnOkButton>(kResetOk),
      win::OnControl<&ResetDefaultDialog::OnCancelButton>(kResetCancel),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

// Only the two buttons answer the question.
bool ResetDefaultDialog::PreTranslateMessage(MSG& msg) {
  return IsSwallowedKey(msg) || SkinnedDialog::PreTranslateMessage(msg);
}

void ResetDefaultDialog::Paint(HDC dc, const RECT& client) {
  win::BufferedPaint buffer(dc, client);
  DrawFace(buffer.Dc(), client);
}

}  // namespace panels

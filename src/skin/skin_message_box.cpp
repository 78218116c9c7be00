// SkinMessageBox: its two buttons, its answer, and the optional line of text over the face.
#include "skin/skin_message_box.h"

#include "win32/paint.h"

namespace skin {
namespace {

constexpr POINT kTextOrigin{64, 118};
constexpr COLORREF kTextColour = 0xFFFFFF;

}  // namespace

SkinMessageBox::SkinMessageBox(HWND parent, std::string programFolder, std::string skinPath,
                               UINT templateId, BoxKeys keys)
    : SkinnedDialog(templateId, parent, std::move(programFolder), std::move(skinPath),
                    {.draggable = true,
                     .centred = true,
                     .onlyButtons = keys == BoxKeys::OnlyButtons,
                     .buffered = true}) {}

void SkinMessageBox::CreateControls(const SkinFile& skin, const ScreenPictures& pictures) {
  CreateButton(ok_, skin, kMessageBoxOk, pictures.Faces());
  CreateButton(cancel_, skin, kMessageBoxCancel, pictures.Faces());
}

// Unless the keys are the buttons' alone, Escape and Enter answer as in any dialog (the base's
// IDCANCEL and IDOK).
bool SkinMessageBox::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<SkinMessageBox> kMap[] = {
      win::OnControl<&SkinMessageBox::OnOkButton>(kMessageBoxOk),
      win::OnControl<&SkinMessageBox::OnCancelButton>(kMessageBoxCancel),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

void SkinMessageBox::Paint(HDC dc, const RECT& client) {
  DrawFace(dc, client);
  if (text_.empty()) return;
  // "Tohoma" is what the box has always asked for; the system substitutes its default face.
  win::Font font(CreateFontA(Px(15), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20, "Tohoma"));
  win::SelectScope selectFont(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  TextOutA(dc, client.left + Px(kTextOrigin.x), client.top + Px(kTextOrigin.y), text_.c_str(),
           static_cast<int>(text_.size()));
}

}  // namespace skin

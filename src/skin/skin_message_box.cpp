// SkinMessageBox: its two buttons, its answer, and the optional line of text over the face.
#include "skin/skin_message_box.h"

namespace skin {
namespace {

constexpr POINT kTextOrigin{64, 118};
constexpr COLORREF kTextColour = 0xFFFFFF;

}  // namespace

SkinMessageBox::SkinMessageBox(HWND parent, std::string skinPath, UINT templateId)
    : SkinnedDialog(templateId, parent, std::move(skinPath), true) {}

void SkinMessageBox::CreateControls(const SkinFile& skin, const ScreenPictures& pictures) {
  CreateButton(ok_, skin, 3, pictures.Faces());
  CreateButton(cancel_, skin, 4, pictures.Faces());
}

void SkinMessageBox::OnCommand(WORD id, WORD code, HWND control) {
  if (control && control == ok_.Handle()) EndDialog(IDOK);
  if (control && control == cancel_.Handle()) EndDialog(IDCANCEL);
  SkinnedDialog::OnCommand(id, code, control);  // Escape and Enter as in any dialog
}

void SkinMessageBox::Paint(HDC dc, const RECT& client) {
  const int w = client.right - client.left, h = client.bottom - client.top;
  win::MemoryDc buffer(CreateCompatibleDC(dc));
  win::Bitmap canvas(CreateCompatibleBitmap(dc, w, h));
  if (!buffer || !canvas) return DrawFace(dc, client);
  win::SelectScope selectCanvas(buffer.Get(), canvas.Get());
  DrawFace(buffer.Get(), RECT{0, 0, w, h});
  if (!text_.empty()) {
    // "Tohoma" is what the box has always asked for; the system substitutes its default face.
    win::Font font(CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20, "Tohoma"));
    win::SelectScope selectFont(buffer.Get(), font.Get());
    SetBkMode(buffer.Get(), TRANSPARENT);
    SetTextColor(buffer.Get(), kTextColour);
    TextOutA(buffer.Get(), kTextOrigin.x, kTextOrigin.y, text_.c_str(), static_cast<int>(text_.size()));
  }
  BitBlt(dc, client.left, client.top, w, h, buffer.Get(), 0, 0, SRCCOPY);
}

}  // namespace skin

// SkinnedDialog: create step (skin, size, controls, region), painting, destruction and dragging.
#include "skin/skinned_dialog.h"

#include "skin/mask_region.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"

namespace skin {
namespace {

constexpr COLORREF kMaskKey = 0xFFFFFF;  // pure white lies outside the window

SkinnedDialog::OpenedHook& Hook() {
  static SkinnedDialog::OpenedHook hook;
  return hook;
}

}  // namespace

void SkinnedDialog::SetOpenedHook(OpenedHook hook) { Hook() = std::move(hook); }

SkinnedDialog::SkinnedDialog(UINT templateId, HWND parent, std::string skinPath, bool draggable)
    : Dialog(templateId, parent), skinPath_(std::move(skinPath)), draggable_(draggable) {}

LRESULT SkinnedDialog::OnCreate() {
  const SkinFile skin(skinPath_);
  {
    ScreenPictures pictures;
    LoadPictures(skin, pictures);
    CreateControls(skin, pictures);
  }  // the temporary whole-window pictures go here
  ApplyRegion();
  if (Hook()) Hook()(*this);
  return 0;
}

// Names are read first, then loaded in the order Mask, Main, Down, Over, Disabled, the
// face, Main2; the window takes the size of the last picture that loaded.
void SkinnedDialog::LoadPictures(const SkinFile& skin, ScreenPictures& pictures) {
  const ScreenKeys keys = Keys();
  const std::string mask = keys.mask ? skin.PicturePath("Mask") : "";
  const std::string main = skin.PicturePath("Main");
  const std::string down = keys.down ? skin.PicturePath("Down") : "";
  const std::string over = keys.over ? skin.PicturePath("Over") : "";
  const std::string disabled = keys.disabled ? skin.PicturePath("Disabled") : "";
  const std::string main2 = keys.main2 ? skin.PicturePath("Main2") : "";
  SIZE size{0, 0};
  if (keys.mask) LoadSkinPicture(mask, mask_, size);
  LoadSkinPicture(main, pictures.main, size);
  if (keys.down) LoadSkinPicture(down, pictures.down, size);
  if (keys.over) LoadSkinPicture(over, pictures.over, size);
  if (keys.disabled) LoadSkinPicture(disabled, pictures.disabled, size);
  LoadSkinPicture(main, face_, size);
  if (keys.main2) LoadSkinPicture(main2, face2_, size);
  // Without any picture the window keeps its template size.
  if (size.cx > 0 && size.cy > 0) MoveWindow(Handle(), 0, 0, size.cx, size.cy, TRUE);
}

void SkinnedDialog::ApplyRegion() {
  win::Region region(MaskToRegion(mask_.Get(), kMaskKey, 0));
  if (!region) return;
  if (SetWindowRgn(Handle(), region.Get(), TRUE)) region_ = region.Release();
}

bool SkinnedDialog::CreateButton(SkinButton& button, const SkinFile& skin, int index,
                                 const FaceSources& faces) {
  const SkinItem item = skin.ReadItem("BUTTONPOS", index);
  const RECT rect{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
  if (!button.Create(Handle(), rect)) return false;
  button.SetFaces(rect, faces);
  button.SetLatched(item.latched);
  button.SetTooltip(item.tooltip, true);
  return true;
}

bool SkinnedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  static constexpr win::MessageHandler<SkinnedDialog> kMessageMap[] = {
      {WM_PAINT, &SkinnedDialog::OnPaint},
      {WM_DESTROY, &SkinnedDialog::OnDestroy},
      {WM_LBUTTONDOWN, &SkinnedDialog::OnLButtonDown},
  };
  if (ReflectToControl(message, wParam, lParam, result)) return true;
  if (win::DispatchMessageMap(this, kMessageMap, message, wParam, lParam, result)) {
    // Destruction and the button press go on to the default handling as well.
    return message == WM_PAINT;
  }
  return Dialog::OnMessage(message, wParam, lParam, result);
}

bool SkinnedDialog::PreTranslateMessage(MSG& msg) {
  if (SkinButton* button = SkinButton::FromHandle(msg.hwnd)) button->RelayToTooltip(msg);
  return false;
}

LRESULT SkinnedDialog::OnPaint(WPARAM, LPARAM) {
  win::PaintScope paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  Paint(paint.Dc(), client);
  return 0;
}

void SkinnedDialog::Paint(HDC dc, const RECT& client) { DrawFace(dc, client); }

void SkinnedDialog::DrawFace(HDC dc, const RECT& client) const {
  if (!face_) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::MemoryDc faceDc(CreateCompatibleDC(dc));
  if (!faceDc) return;
  win::SelectScope select(faceDc.Get(), face_.Get());
  BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
         faceDc.Get(), 0, 0, SRCCOPY);
}

LRESULT SkinnedDialog::OnDestroy(WPARAM, LPARAM) {
  mask_.Reset();
  face_.Reset();
  face2_.Reset();
  region_ = nullptr;
  return 0;
}

LRESULT SkinnedDialog::OnLButtonDown(WPARAM, LPARAM lParam) {
  // A press on the face (controls take their own) becomes a press on a caption, so the
  // system's own move loop drags the window.
  if (draggable_) PostMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, lParam);
  return 0;
}

}  // namespace skin

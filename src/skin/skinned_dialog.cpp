// SkinnedDialog: create step (skin, size, controls, region), painting, destruction, dragging,
// and the table from control windows to skin indices.
#include "skin/skinned_dialog.h"

#include "skin/mask_region.h"
#include "skin/skin_picture.h"
#include "win32/paint.h"

namespace skin {
namespace {

constexpr COLORREF kMaskKey = 0xFFFFFF;  // pure white lies outside the window

}  // namespace

SkinnedDialog::SkinnedDialog(UINT templateId, HWND parent, std::string programFolder,
                             std::string skinPath, bool draggable)
    : Dialog(templateId, parent),
      programFolder_(std::move(programFolder)),
      skinPath_(std::move(skinPath)),
      draggable_(draggable) {}

LRESULT SkinnedDialog::OnCreate() {
  const SkinFile skin(programFolder_, skinPath_);
  {
    ScreenPictures pictures;
    LoadPictures(skin, pictures);
    CreateControls(skin, pictures);
  }  // the temporary whole-window pictures go here
  ApplyRegion();
  return 0;
}

// Names are read first, then loaded in the order Mask, Main, Down, Over, Disabled, the
// face, Main2; the window takes the size of the last picture that loaded.
void SkinnedDialog::LoadPictures(const SkinFile& skin, ScreenPictures& pictures) {
  const ScreenKeys keys = ScreenPictureKeys();
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
  AddControl(button.Handle(), index);
  return true;
}

void SkinnedDialog::AddControl(HWND control, int index) {
  if (control) controls_.emplace_back(control, index);
}

HWND SkinnedDialog::Control(int index) const {
  for (const auto& [control, at] : controls_)
    if (at == index) return control;
  return nullptr;
}

int SkinnedDialog::ControlIndex(HWND control) const {
  for (const auto& [window, index] : controls_)
    if (window == control) return index;
  return Dialog::ControlIndex(control);
}

bool SkinnedDialog::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<SkinnedDialog> kMap[] = {
      win::OnPaint<&SkinnedDialog::Paint>(),
      win::OnMessage<&SkinnedDialog::OnDestroy>(WM_DESTROY, Default::After),
      win::OnMouse<&SkinnedDialog::OnLButtonDown>(WM_LBUTTONDOWN, Default::After),
  };
  return Dispatch(kMap, m) || Dialog::ProcessMessage(m);
}

void SkinnedDialog::Paint(HDC dc, const RECT& client) { DrawFace(dc, client); }

void SkinnedDialog::DrawFace(HDC dc, const RECT& client) const {
  if (!face_) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::DrawBitmap(dc, client, face_.Get());
}

void SkinnedDialog::OnDestroy() {
  mask_.Reset();
  face_.Reset();
  face2_.Reset();
  region_ = nullptr;
  controls_.clear();
}

// A press on the face (controls take their own) becomes a press on a caption, so the system's
// own move loop drags the window.
void SkinnedDialog::OnLButtonDown(POINT at, UINT) {
  if (draggable_) PostMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

}  // namespace skin

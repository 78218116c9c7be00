// SkinnedDialog: create step (skin, size, controls, region), painting, destruction, dragging,
// and the table from control windows to skin indices.
#include "skin/skinned_dialog.h"

#include "skin/focus_mark.h"
#include "skin/keyboard_focus.h"
#include "skin/mask_region.h"
#include "skin/skin_picture.h"
#include "win32/dpi.h"
#include "win32/paint.h"

namespace skin {
namespace {

constexpr COLORREF kMaskKey = 0xFFFFFF;  // pure white lies outside the window

// Pictures draw themselves into a DC they are given.
bool IsPicture(HWND control) {
  char name[8] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

SkinnedDialog::SkinnedDialog(UINT templateId, HWND parent, std::string programFolder,
                             std::string skinPath, SkinnedOptions options)
    : Dialog(templateId, parent),
      programFolder_(std::move(programFolder)),
      skinPath_(std::move(skinPath)),
      options_(options) {}

int SkinnedDialog::ScalePercent() const {
  if (rebuildPercent_ > 0) return rebuildPercent_;
  if (Handle()) return win::DpiPercent(win::WindowDpi(Handle()));
  return ParentScalePercent();
}

int SkinnedDialog::ParentScalePercent() const {
  HWND parent = ParentWindow();
  return win::DpiPercent(parent ? win::WindowDpi(parent) : win::SystemDpi());
}

LRESULT SkinnedDialog::OnCreate() {
  win::TakeOverDpiChanges(Handle());
  Build();
  if (options_.centred && GetParent(Handle())) win::CentreWindow(Handle(), GetParent(Handle()));
  return 0;
}

void SkinnedDialog::Build() {
  const SkinFile skin(programFolder_, skinPath_, ScalePercent());
  scale_ = skin.Scale();
  {
    ScreenPictures pictures;
    LoadPictures(skin, pictures);
    CreateControls(skin, pictures);
  }
  ApplyRegion();
  HideFocusMarks(Handle());
}

// Moved to a monitor of another scale, the window is made again from the skin at that scale,
// where the system suggests it, and its own state is put back on the new controls.
void SkinnedDialog::OnDpiChanged(UINT dpi, const RECT* suggested) {
  RECT before{};
  GetWindowRect(Handle(), &before);
  DestroyOwnControls();
  controls_.clear();
  rebuildPercent_ = win::DpiPercent(dpi);
  Build();
  const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{before.left, before.top};
  SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  OnRebuilt();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  const SkinScale& scale = skin.Scale();
  SIZE size{0, 0};
  if (keys.mask) mask_ = LoadPictureOnce(mask, size, scale);
  pictures.main = LoadPicture(main, size, scale);
  if (keys.down) pictures.down = LoadPicture(down, size, scale);
  // Over and Disabled wait for their first draw; without Main they decide the size as before.
  const auto face = [&](const std::string& path) {
    return pictures.main ? FacePicture::OnFirstUse(path, scale) : FacePicture(LoadPicture(path, size, scale));
  };
  if (keys.over) pictures.over = face(over);
  if (keys.disabled) pictures.disabled = face(disabled);
  face_ = LoadPicture(main, size, scale);  // the same picture, and its size again
  if (keys.main2) face2_ = LoadPicture(main2, size, scale);
  // Without any picture the window keeps its template size.
  if (size.cx > 0 && size.cy > 0) MoveWindow(Handle(), 0, 0, size.cx, size.cy, TRUE);
}

// The mask is needed for the region alone: it goes once the region is made (the cache keeps it
// only for windows whose pictures were prepared ahead).
void SkinnedDialog::ApplyRegion() {
  const Picture mask = std::move(mask_);
  win::Region region(MaskToRegion(mask.get(), kMaskKey, 0));
  if (!region) return;
  if (SetWindowRgn(Handle(), region.Get(), TRUE)) region_ = region.Release();
}

bool SkinnedDialog::CreateButton(SkinButton& button, const SkinFile& skin, int index,
                                 const FaceSources& faces, const RECT* cut) {
  const SkinItem item = skin.ReadItem("BUTTONPOS", index);
  const RECT rect = RectOf(item);
  if (!button.Create(Handle(), rect)) return false;
  button.SetFaces(cut ? *cut : rect, faces);
  button.SetLatched(item.latched);
  button.SetTooltip(item.tooltip, true);
  button.SetLabel(item.label);
  AddControl(button.Handle(), index);
  return true;
}

// Every child bound to an object of ours was made by CreateControls, which makes it again;
// the template's own controls stay.
void SkinnedDialog::DestroyOwnControls() {
  std::vector<HWND> own;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (win::WindowFrom<win::WindowObject>(child)) own.push_back(child);
  for (HWND child : own) DestroyWindow(child);
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
      win::OnPaint<&SkinnedDialog::PaintWindow>(),
      win::OnMessage<&SkinnedDialog::OnDestroy>(WM_DESTROY, Default::After),
      win::OnMouse<&SkinnedDialog::OnLButtonDown>(WM_LBUTTONDOWN, Default::After),
      win::OnDpiChanged<&SkinnedDialog::OnDpiChanged>(),
  };
  return Dispatch(kMap, m) || Dialog::ProcessMessage(m);
}

bool SkinnedDialog::PreTranslateMessage(MSG& msg) {
  const bool enterOrEsc =
      msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
  return OnFocusKey(msg) || (options_.onlyButtons && enterOrEsc) || Dialog::PreTranslateMessage(msg);
}

// The keyboard reaches the skin controls, which the dialog manager does not know: they are
// out of its tab order. Enter presses a control only once the focus shows, so that Enter in a
// window used with the mouse does what it did before.
bool SkinnedDialog::OnFocusKey(const MSG& msg) {
  std::vector<HWND> focusable;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TakesKeyboardFocus(child)) focusable.push_back(child);
  return HandleFocusKey(Handle(), focusable, msg, FocusKeys{.enterPresses = !FocusMarksHidden(Handle())});
}

void SkinnedDialog::PaintWindow(HDC dc, const RECT& client) {
  if (options_.buffered) {
    win::BufferedPaint buffer(dc, client);
    Paint(buffer.Dc(), client);
  } else {
    Paint(dc, client);
  }
  // Only a real paint takes the controls along; a print into a memory DC draws the face alone.
  if (WindowFromDC(dc) == Handle() && !IsIconic(Handle())) PaintWaitingControls(dc);
}

void SkinnedDialog::Paint(HDC dc, const RECT& client) { DrawFace(dc, client); }

// Under Wine every paint of a child window is flushed to the screen on its own, and a window
// of twenty buttons appeared button by button, several times slower than the window alone.
// So the controls that wait for a paint and lie wholly inside this one are drawn into it,
// bottom to top, and need no paint of their own. Our buttons draw straight into this paint;
// pictures print into a scratch canvas whose corner is their own, as controls clip to their
// client rectangle in device terms.
void SkinnedDialog::PaintWaitingControls(HDC dc) {
  RECT area{};
  if (GetClipBox(dc, &area) == ERROR) return;
  win::PaintBuffer scratch;
  HWND top = GetWindow(Handle(), GW_CHILD);
  for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child;
       child = GetWindow(child, GW_HWNDPREV)) {
    SkinButton* button = win::WindowFrom<SkinButton>(child);
    if (!IsWindowVisible(child) || (!button && !IsPicture(child))) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    if (!Contains(area, rect) || !GetUpdateRect(child, nullptr, FALSE)) continue;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (button) {
      button->DrawNow(dc, rect);
    } else if (HDC canvas = scratch.Prepare(dc, w, h)) {
      SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
      BitBlt(dc, rect.left, rect.top, w, h, canvas, 0, 0, SRCCOPY);
    } else {
      continue;
    }
    RedrawWindow(child, nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_NOCHILDREN);
  }
}

void SkinnedDialog::DrawFace(HDC dc, const RECT& client) const {
  if (!face_) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::DrawBitmap(dc, client, face_.get());
}

void SkinnedDialog::OnDestroy() {
  HideFocusMarks(Handle());
  mask_.reset();
  face_.reset();
  face2_.reset();
  region_ = nullptr;
  controls_.clear();
}

// A press on the face (controls take their own) becomes a press on a caption, so the system's
// own move loop drags the window.
void SkinnedDialog::OnLButtonDown(POINT at, UINT) {
  if (options_.draggable) PostMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

}  // namespace skin

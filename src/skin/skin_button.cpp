// SkinButton: face choice, drawing, hover tracking with the mouse capture, toggle mode, tooltip.
#include "skin/skin_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/focus_mark.h"
#include "skin/skin_control.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"
#include "win32/paint.h"

namespace skin {
namespace {

constexpr COLORREF kCaptionColour = 0xE0E0E0;
constexpr int kCaptionLeft = 5;

HWND OwnerOrParent(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  return parent ? parent : GetWindow(hwnd, GW_OWNER);
}

bool LeftButtonHeld(WPARAM keys) { return (keys & MK_LBUTTON) != 0; }

// Draws the part of picture under rect at where's corner, as a copy cut from the picture would
// look: black where rect leaves the picture, and nothing beyond rect's size.
void DrawPart(HDC dc, const RECT& where, HBITMAP picture, const RECT& rect) {
  const RECT to{where.left, where.top, where.left + (std::min)(win::Width(where), win::Width(rect)),
                where.top + (std::min)(win::Height(where), win::Height(rect))};
  const SIZE size = BitmapSize(picture);
  if (rect.left < 0 || rect.top < 0 || rect.right > size.cx || rect.bottom > size.cy)
    FillRect(dc, &to, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  win::DrawBitmap(dc, to, picture, POINT{rect.left, rect.top});
}

}  // namespace

// Faces are drawn straight from the shared pictures: cutting copies cost a window of twenty
// buttons eighty bitmaps and a noticeable part of its start.
void SkinButton::SetFaces(const RECT& rect, const FaceSources& sources) {
  const FacePicture* from[4] = {&sources.main, &sources.over, &sources.down, &sources.disabled};
  for (int i = 0; i < 4; ++i) {
    if (*from[i]) faces_[i] = Face{*from[i], rect};
  }
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  if (style & (WS_BORDER | WS_TABSTOP)) SetWindowLongA(Handle(), GWL_STYLE, style & ~(WS_BORDER | WS_TABSTOP));
}

void SkinButton::SetLatched(bool value) {
  if (value == latched_) return;
  latched_ = value;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

ButtonFace SkinButton::ChooseFace(UINT state) const {
  if (toggle_) return latched_ ? ButtonFace::Down : ButtonFace::Main;
  if (latched_) return ButtonFace::Down;
  if (state & ODS_SELECTED) return ButtonFace::Down;
  if (hover_) return ButtonFace::Over;
  if (state & ODS_DISABLED) return ButtonFace::Disabled;
  return ButtonFace::Main;
}

// The tooltip window is made when it is first needed (the pointer reaches the button, or
// someone asks for it), not with the button: a window full of buttons opens faster.
HWND SkinButton::Tooltip() {
  if (tooltip_ || !Handle() || tipText_.empty()) return tooltip_;
  EnsureCommonControls();
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tooltip_) return nullptr;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = 1;
  tool.lpszText = const_cast<char*>(tipText_.c_str());
  GetClientRect(Handle(), &tool.rect);
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip_, kTooltipActivate, tipActive_ ? TRUE : FALSE, 0);
  return tooltip_;
}

// A text replaces the one before; an empty text changes nothing.
void SkinButton::SetTooltip(const char* text, bool activate) {
  if (!text || !*text) return;
  tipText_ = text;
  tipActive_ = activate;
  if (!tooltip_) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = 1;
  tool.lpszText = const_cast<char*>(tipText_.c_str());
  SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip_, kTooltipActivate, activate ? TRUE : FALSE, 0);
}

void SkinButton::RelayToTooltip(const MSG& msg) {
  if (HWND tip = Tooltip()) SendMessageA(tip, kTooltipRelayEvent, 0, reinterpret_cast<LPARAM>(&msg));
}

bool SkinButton::PreTranslateMessage(MSG& msg) {
  const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
  if (mouse && msg.hwnd == Handle()) RelayToTooltip(msg);
  return false;
}

bool SkinButton::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<SkinButton> kMap[] = {
      win::OnDrawItem<&SkinButton::OnDrawItem>(),
      win::Reply<SkinButton, 0>(WM_ERASEBKGND),  // the face is the button's whole look
      win::OnMouse<&SkinButton::OnMouseMove>(WM_MOUSEMOVE, Default::First),
      win::OnMessage<&SkinButton::OnCaptureChanged>(WM_CAPTURECHANGED, Default::After),
      win::OnMessage<&SkinButton::OnKillFocus>(WM_KILLFOCUS, Default::First),
      win::OnMessage<&SkinButton::OnCancelMode>(WM_CANCELMODE, Default::After),
      win::OnMouse<&SkinButton::OnLButtonDown>(WM_LBUTTONDOWN, Default::After),
      win::OnMouse<&SkinButton::OnLButtonUp>(WM_LBUTTONUP),
      win::OnMessage<&SkinButton::OnDestroy>(WM_DESTROY, Default::After),
      win::OnGetObject<&SkinButton::OnGetObject>(),
  };
  return Dispatch(kMap, m) || PushButton::ProcessMessage(m);
}

void SkinButton::OnDestroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  for (Face& face : faces_) face = Face{};
}

void SkinButton::OnMouseMove(POINT at, UINT keys) {
  if (LeftButtonHeld(keys) && !hover_) return;
  if (GetCapture() != Handle()) {
    if (GetActiveWindow() && OwnerOrParent(Handle())) {
      hover_ = true;
      SetCapture(Handle());
      InvalidateRect(Handle(), nullptr, FALSE);
    }
    return;
  }
  ClientToScreen(Handle(), &at);
  if (WindowFromPoint(at) == Handle()) return;
  if (hover_) {
    hover_ = false;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  if (!LeftButtonHeld(keys)) ReleaseCapture();
}

void SkinButton::OnCaptureChanged() {
  if (!hover_) return;
  // The capture has moved on already; only a capture that is still ours is given up, so
  // that a window which has just taken it (a menu opened by the click) keeps it.
  if (GetCapture() == Handle()) ReleaseCapture();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void SkinButton::OnKillFocus() {
  hover_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

// Told to stop what it is in the middle of (its program lost the activation, its menu was
// cancelled): the button is no longer under the pointer as far as it knows.
void SkinButton::OnCancelMode() {
  if (GetCapture() == Handle()) ReleaseCapture();
  hover_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void SkinButton::OnLButtonDown(POINT, UINT) {
  HWND owner = OwnerOrParent(Handle());
  if (owner && GetActiveWindow() != owner) SetActiveWindow(owner);
}

// A toggle button changes its latch itself; a push button leaves the click to the system.
void SkinButton::OnLButtonUp(POINT, UINT) {
  if (!toggle_) return PassOn();
  latched_ = !latched_;
  InvalidateRect(Handle(), nullptr, TRUE);
  NotifyClicked();
}

void SkinButton::NotifyClicked() {
  const int id = GetDlgCtrlID(Handle());
  SendMessageA(OwnerOrParent(Handle()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Handle()));
}

LRESULT SkinButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  DrawFace(item.hDC, item.rcItem, item.itemState);
  return TRUE;
}

// The item state the system would hand to an owner draw now.
void SkinButton::DrawNow(HDC dc, const RECT& where) {
  UINT state = 0;
  if (Pushed()) state |= ODS_SELECTED;
  if (!IsWindowEnabled(Handle())) state |= ODS_DISABLED;
  if (GetFocus() == Handle()) state |= ODS_FOCUS;
  DrawFace(dc, where, state);
}

void SkinButton::DrawFace(HDC dc, const RECT& where, UINT itemState) {
  const Face& face = faces_[static_cast<int>(ChooseFace(itemState))];
  const HBITMAP picture = face.picture.Get();
  if (!picture) {
    // No picture for this face: a plain surface instead of whatever the DC holds.
    FillRect(dc, &where, GetSysColorBrush(COLOR_BTNFACE));
  } else if (caption_.empty()) {
    DrawPart(dc, where, picture, face.rect);
  } else {
    DrawCaption(dc, where, picture, face.rect);
  }
  DrawOver(dc, where);
  DrawFocusMark(Handle(), dc, where, (itemState & ODS_FOCUS) != 0);
}

void SkinButton::DrawCaption(HDC target, const RECT& where, HBITMAP picture, const RECT& rect) {
  win::BufferedPaint buffer(target, where);
  const HDC dc = buffer.Dc();
  DrawPart(dc, where, picture, rect);
  win::Font font(CreateFontA(PxFor(Handle(), 14), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20,
                             "Arial"));
  win::SelectScope selectFont(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kCaptionColour);
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &extent);
  TextOutA(dc, where.left + PxFor(Handle(), kCaptionLeft), where.top + win::Height(where) / 2 - extent.cy / 2,
           caption_.c_str(), static_cast<int>(caption_.size()));
}

AccessibleFacts SkinButton::Describe() const {
  AccessibleFacts facts{FirstNonEmpty({caption_, tipText_, label_}), AccessibleRole::PushButton};
  if (toggle_ || choice_) facts.role = AccessibleRole::CheckBox;
  if (latched_) facts.state = kStateChecked;
  if (Pushed()) facts.state |= kStatePressed;
  return facts;
}

LRESULT SkinButton::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace skin

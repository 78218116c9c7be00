// SkinButton: face choice, drawing, hover tracking with the mouse capture, toggle mode, tooltip.
#include "skin/skin_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/skin_messages.h"
#include "skin/skin_picture.h"

namespace skin {
namespace {

constexpr COLORREF kCaptionColour = 0xE0E0E0;
constexpr int kCaptionLeft = 5;

HWND OwnerOrParent(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  return parent ? parent : GetWindow(hwnd, GW_OWNER);
}

bool LeftButtonHeld(WPARAM keys) { return (keys & MK_LBUTTON) != 0; }

}  // namespace

SkinButton* SkinButton::FromHandle(HWND hwnd) {
  return dynamic_cast<SkinButton*>(ControlWindow::FromHandle(hwnd));
}

bool SkinButton::Create(HWND parent, const RECT& rect, int id) {
  if (!CreateSubclassed("BUTTON", WS_CHILD | WS_VISIBLE, rect, parent, id)) return false;
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SendMessageA(Handle(), BM_SETSTYLE, (style & 0xFF) | BS_OWNERDRAW, TRUE);
  SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_TABSTOP);
  return true;
}

void SkinButton::SetFaces(const RECT& rect, const FaceSources& sources) {
  win::WindowDc dc(Handle());
  const win::Bitmap* from[4] = {sources.main, sources.over, sources.down, sources.disabled};
  for (int i = 0; i < 4; ++i) {
    if (from[i]) CutFace(dc.Get(), faces_[i], *from[i], rect);
  }
  SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~(WS_BORDER | WS_TABSTOP));
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

void SkinButton::EnsureTooltip() {
  if (tooltip_ || !Handle()) return;
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  if (tooltip_) SendMessageA(tooltip_, kTooltipActivate, FALSE, 0);
}

void SkinButton::SetTooltip(const char* text, bool activate) {
  if (!text || !*text) return;
  EnsureTooltip();
  if (!tooltip_) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = 1;
  tool.lpszText = const_cast<char*>(text);
  if (SendMessageA(tooltip_, kTooltipToolCount, 0, 0) == 0) {
    GetClientRect(Handle(), &tool.rect);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip_, kTooltipActivate, activate ? TRUE : FALSE, 0);
}

void SkinButton::RelayToTooltip(const MSG& msg) {
  EnsureTooltip();
  if (tooltip_) SendMessageA(tooltip_, kTooltipRelayEvent, 0, reinterpret_cast<LPARAM>(&msg));
}

void SkinButton::OnDestroyWindow() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  for (win::Bitmap& face : faces_) face.Reset();
}

LRESULT SkinButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReflectedDrawItem:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      return 0;  // the face is the button's whole look
    case WM_MOUSEMOVE:
      return OnMouseMove(wParam, lParam);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(wParam, lParam);
    case WM_KILLFOCUS:
      return OnKillFocus(wParam, lParam);
    case WM_LBUTTONDOWN:
      return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONUP:
      return OnLButtonUp(wParam, lParam);
    default:
      return CallDefault(message, wParam, lParam);
  }
}

LRESULT SkinButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_MOUSEMOVE, wParam, lParam);
  if (LeftButtonHeld(wParam) && !hover_) return result;
  if (GetCapture() != Handle()) {
    if (GetActiveWindow() && OwnerOrParent(Handle())) {
      hover_ = true;
      SetCapture(Handle());
      InvalidateRect(Handle(), nullptr, FALSE);
    }
    return result;
  }
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(Handle(), &pt);
  if (WindowFromPoint(pt) == Handle()) return result;
  if (hover_) {
    hover_ = false;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  if (!LeftButtonHeld(wParam)) ReleaseCapture();
  return result;
}

LRESULT SkinButton::OnCaptureChanged(WPARAM wParam, LPARAM lParam) {
  if (hover_) {
    // The capture has moved on already; only a capture that is still ours is given up, so
    // that a window which has just taken it (a menu opened by the click) keeps it.
    if (GetCapture() == Handle()) ReleaseCapture();
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  return CallDefault(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT SkinButton::OnKillFocus(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_KILLFOCUS, wParam, lParam);
  hover_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
  return result;
}

LRESULT SkinButton::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
  HWND owner = OwnerOrParent(Handle());
  if (owner && GetActiveWindow() != owner) SetActiveWindow(owner);
  return CallDefault(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT SkinButton::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
  if (!toggle_) return CallDefault(WM_LBUTTONUP, wParam, lParam);
  latched_ = !latched_;
  InvalidateRect(Handle(), nullptr, TRUE);
  NotifyClicked();
  return 0;
}

void SkinButton::NotifyClicked() {
  const int id = GetDlgCtrlID(Handle());
  SendMessageA(OwnerOrParent(Handle()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Handle()));
}

void SkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
  const win::Bitmap& face = faces_[static_cast<int>(ChooseFace(item.itemState))];
  if (!face) {
    // No picture for this face: a plain surface instead of whatever the DC holds.
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::MemoryDc faceDc(CreateCompatibleDC(item.hDC));
  if (!faceDc) return;
  win::SelectScope selectFace(faceDc.Get(), face.Get());
  if (caption_.empty()) {
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
           item.rcItem.bottom - item.rcItem.top, faceDc.Get(), 0, 0, SRCCOPY);
    return;
  }
  DrawCaption(item.hDC, item.rcItem, faceDc.Get());
}

void SkinButton::DrawCaption(HDC target, const RECT& where, HDC face) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right - client.left, h = client.bottom - client.top;
  win::MemoryDc buffer(CreateCompatibleDC(target));
  win::Bitmap canvas(CreateCompatibleBitmap(target, w, h));
  win::Font font(CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20, "Arial"));
  if (!buffer || !canvas) return;
  {
    win::SelectScope selectCanvas(buffer.Get(), canvas.Get());
    BitBlt(buffer.Get(), 0, 0, w, h, face, 0, 0, SRCCOPY);
    win::SelectScope selectFont(buffer.Get(), font.Get());
    SetBkMode(buffer.Get(), TRANSPARENT);
    SetTextColor(buffer.Get(), kCaptionColour);
    SIZE extent{};
    GetTextExtentPoint32A(buffer.Get(), caption_.c_str(), static_cast<int>(caption_.size()), &extent);
    TextOutA(buffer.Get(), client.left + kCaptionLeft, h / 2 - extent.cy / 2, caption_.c_str(),
             static_cast<int>(caption_.size()));
    BitBlt(target, where.left, where.top, where.right - where.left, where.bottom - where.top,
           buffer.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace skin

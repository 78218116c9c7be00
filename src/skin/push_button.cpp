// PushButton: the system owner-drawn button's press, release, keyboard and notification rules.
#include "skin/push_button.h"

#include <windowsx.h>

namespace skin {

bool PushButton::Create(HWND parent, const RECT& rect, int id) {
  return CreateOwn(kPushButtonClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, "",
                   WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT PushButton::CallDefault(win::Message& m) {
  switch (m.id) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT:
      DrawInto(reinterpret_cast<HDC>(m.wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the owner draws every pixel
    case WM_LBUTTONDBLCLK:
      Notify(BN_DOUBLECLICKED);  // an owner-drawn button reports the second click instead
      return 0;
    case WM_LBUTTONDOWN:
      Press(true);
      return 0;
    case WM_KEYDOWN:
      if (m.wParam != VK_SPACE) break;
      if (!held_) Press(false);
      return 0;
    case WM_MOUSEMOVE:
      if (held_ && (m.wParam & MK_LBUTTON) && GetCapture() == Handle()) {  // not a space-bar press
        RECT client{};
        GetClientRect(Handle(), &client);
        SetPushed(PtInRect(&client, POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      Release(held_ && pushed_);
      return 0;
    case WM_KEYUP:
      if (m.wParam != VK_SPACE) break;
      Release(held_ && pushed_);
      return 0;
    case WM_CAPTURECHANGED:
      if (held_ && reinterpret_cast<HWND>(m.lParam) != Handle()) {
        held_ = false;
        SetPushed(false);
      }
      return 0;
    case WM_SETFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      if (held_ && GetCapture() == Handle()) ReleaseCapture();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_ENABLE:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case BM_CLICK:
      SendMessageA(Handle(), WM_LBUTTONDOWN, 0, 0);
      SendMessageA(Handle(), WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_GETSTATE:
      return (pushed_ ? BST_PUSHED : 0) | (GetFocus() == Handle() ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(m.wParam != 0);
      return 0;
    default:
      break;
  }
  return Window::CallDefault(m);
}

// The left button also takes the focus; both hold the capture until the release.
void PushButton::Press(bool byMouse) {
  if (byMouse) SetFocus(Handle());
  SetCapture(Handle());
  held_ = true;
  SetPushed(true);
}

// A release over the button, or of the space bar, is a click; elsewhere it only lets go.
void PushButton::Release(bool click) {
  const bool wasHeld = held_;
  held_ = false;
  if (!wasHeld) return;
  SetPushed(false);
  if (GetCapture() == Handle()) ReleaseCapture();
  if (click) Notify(BN_CLICKED);
}

void PushButton::SetPushed(bool pushed) {
  if (pushed == pushed_) return;
  pushed_ = pushed;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void PushButton::Notify(WORD code) {
  const int id = GetDlgCtrlID(Handle());
  SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Handle()));
}

UINT PushButton::ItemState() const {
  UINT state = 0;
  if (pushed_) state |= ODS_SELECTED;
  if (GetFocus() == Handle()) state |= ODS_FOCUS;
  if (!IsWindowEnabled(Handle())) state |= ODS_DISABLED;
  return state;
}

void PushButton::Paint() {
  PAINTSTRUCT ps;
  if (HDC dc = BeginPaint(Handle(), &ps)) DrawInto(dc);
  EndPaint(Handle(), &ps);
}

// The owner draws the button, as it would a system button's.
void PushButton::DrawInto(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(Handle())), 0, ODA_DRAWENTIRE,
                      ItemState(), Handle(), dc, client, 0};
  SendMessageA(GetParent(Handle()), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

}  // namespace skin

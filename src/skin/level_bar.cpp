// LevelBar: painting the fill, and the drag that reports its value when the mouse is released.
#include "skin/level_bar.h"

#include <windowsx.h>

#include "skin/skin_messages.h"
#include "skin/skin_picture.h"
#include "skin/slider_math.h"

namespace skin {

bool LevelBar::Create(const RECT& rect, HWND parent, int id) {
  id_ = id;
  return CreatePlain(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

void LevelBar::SetFaces(const RECT& rect, const win::Bitmap& background, const win::Bitmap& fill) {
  win::WindowDc dc(GetParent(Handle()));
  CutFace(dc.Get(), background_, background, rect);
  CutFace(dc.Get(), fill_, fill, rect);
}

void LevelBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
}

void LevelBar::SetPos(int value) {
  value_ = OutOfRangeToMin(value, min_, max_);
  Repaint();
}

void LevelBar::Repaint() {
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

int LevelBar::ValueAt(LPARAM lParam) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  // Client x is the distance from the bar's left edge in the window's coordinates.
  return LevelValueAt(GET_X_LPARAM(lParam), min_, max_, client.right);
}

LRESULT LevelBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint();
    case WM_ERASEBKGND:
      return 1;  // the background face covers the bar
    case WM_LBUTTONDOWN:
      return OnLButtonDown(wParam, lParam);
    case WM_MOUSEMOVE:
      return OnMouseMove(wParam, lParam);
    case WM_LBUTTONUP:
      return OnLButtonUp(wParam, lParam);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(wParam, lParam);
    case WM_KILLFOCUS:
      return OnKillFocus(wParam, lParam);
    default:
      return CallDefault(message, wParam, lParam);
  }
}

LRESULT LevelBar::OnPaint() {
  win::PaintScope paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right, h = client.bottom;
  win::MemoryDc buffer(CreateCompatibleDC(paint.Dc()));
  win::MemoryDc faceDc(CreateCompatibleDC(paint.Dc()));
  win::Bitmap canvas(CreateCompatibleBitmap(paint.Dc(), w, h));
  if (!buffer || !faceDc || !canvas) return 0;
  win::SelectScope selectCanvas(buffer.Get(), canvas.Get());
  FillRect(buffer.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));  // shows only without faces
  if (background_) {
    win::SelectScope select(faceDc.Get(), background_.Get());
    BitBlt(buffer.Get(), 0, 0, w, h, faceDc.Get(), 0, 0, SRCCOPY);
  }
  if (fill_) {
    win::SelectScope select(faceDc.Get(), fill_.Get());
    BitBlt(buffer.Get(), 0, 0, LevelFillWidth(value_, min_, max_, w), h, faceDc.Get(), 0, 0, SRCCOPY);
  }
  BitBlt(paint.Dc(), 0, 0, w, h, buffer.Get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT LevelBar::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
  if (!draggable_) return CallDefault(WM_LBUTTONDOWN, wParam, lParam);
  SetCapture(Handle());
  dragging_ = true;
  anchor_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return 0;
}

LRESULT LevelBar::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!dragging_) return CallDefault(WM_MOUSEMOVE, wParam, lParam);
  value_ = ValueAt(lParam);
  Repaint();
  return 0;
}

LRESULT LevelBar::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
  dragging_ = false;
  value_ = ValueAt(lParam);
  PostMessageA(GetParent(Handle()), kLevelBarValueMessage, static_cast<WPARAM>(value_), id_);
  const LRESULT result = CallDefault(WM_LBUTTONUP, wParam, lParam);
  ReleaseCapture();
  Repaint();
  return result;
}

LRESULT LevelBar::OnCaptureChanged(WPARAM wParam, LPARAM lParam) {
  if (dragging_) {
    // The mouse went elsewhere mid-drag: the drag ends, and later moves change nothing.
    dragging_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    Repaint();
  }
  return CallDefault(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT LevelBar::OnKillFocus(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_KILLFOCUS, wParam, lParam);
  dragging_ = false;
  Repaint();
  return result;
}

void LevelBar::OnDestroyWindow() {
  background_.Reset();
  fill_.Reset();
}

}  // namespace skin

// SliderThumb: placement by value, the drag and its report, the shape cut from the picture.
#include "skin/slider_thumb.h"

#include <windowsx.h>

#include "skin/skin_messages.h"
#include "skin/skin_picture.h"

namespace skin {

bool SliderThumb::Create(const std::string& pictureFile, HWND slider, int id, bool shaped) {
  picture_.Reset(static_cast<HBITMAP>(LoadImageA(nullptr, pictureFile.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!picture_) return false;
  size_ = BitmapSize(picture_.Get());
  slider_ = slider;
  id_ = id;
  const SliderTravel t = Travel();
  // Starts centred on the travel's top edge, then goes to the place of value 0.
  const RECT start{-size_.cx / 2, t.top - size_.cy / 2, size_.cx - size_.cx / 2, t.top + size_.cy - size_.cy / 2};
  if (!CreatePlain(WS_CHILD | WS_VISIBLE | WS_TABSTOP, start, slider, id)) return false;
  if (shaped) ApplyShape();
  SetValue(0);
  return true;
}

SliderTravel SliderThumb::Travel() const {
  RECT r{};
  if (slider_) GetClientRect(slider_, &r);
  return SliderTravel{0, r.bottom, size_.cy};
}

void SliderThumb::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
}

void SliderThumb::SetValue(int value) {
  value_ = OutOfRangeToMin(value, min_, max_);
  MoveTo(ThumbTopForValue(value, min_, max_, Travel()));
}

int SliderThumb::Top() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  MapWindowPoints(HWND_DESKTOP, slider_, reinterpret_cast<POINT*>(&r), 2);
  return r.top;
}

void SliderThumb::MoveTo(int top) {
  SetWindowPos(Handle(), nullptr, 0, top, size_.cx, size_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every pixel of the top-left pixel's colour is cut out of the full thumb rectangle.
void SliderThumb::ApplyShape() {
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return;
  win::SelectScope select(dc.Get(), picture_.Get());
  const COLORREF key = GetPixel(dc.Get(), 0, 0);
  win::Region shape(CreateRectRgn(0, 0, size_.cx, size_.cy));
  if (!shape) return;
  for (int y = 0; y < size_.cy; ++y) {
    for (int x = 0; x < size_.cx; ++x) {
      if (GetPixel(dc.Get(), x, y) != key) continue;
      win::Region dot(CreateRectRgn(x, y, x + 1, y + 1));
      if (dot) CombineRgn(shape.Get(), shape.Get(), dot.Get(), RGN_XOR);
    }
  }
  if (SetWindowRgn(Handle(), shape.Get(), TRUE)) shape.Release();  // the window owns it now
}

LRESULT SliderThumb::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint();
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole thumb
    case WM_LBUTTONDOWN:
      return OnLButtonDown(lParam);
    case WM_MOUSEMOVE:
      return OnMouseMove(lParam);
    case WM_LBUTTONUP:
      return OnLButtonUp();
    case WM_CAPTURECHANGED:
      dragging_ = false;  // a drag that lost the mouse ends without a report
      return CallDefault(message, wParam, lParam);
    default:
      return CallDefault(message, wParam, lParam);
  }
}

LRESULT SliderThumb::OnPaint() {
  win::PaintScope paint(Handle());
  win::MemoryDc buffer(CreateCompatibleDC(paint.Dc()));
  win::Bitmap canvas(CreateCompatibleBitmap(paint.Dc(), size_.cx, size_.cy));
  win::MemoryDc pictureDc(CreateCompatibleDC(paint.Dc()));
  if (!buffer || !canvas || !pictureDc) return 0;
  win::SelectScope selectCanvas(buffer.Get(), canvas.Get());
  win::SelectScope selectPicture(pictureDc.Get(), picture_.Get());
  BitBlt(buffer.Get(), 0, 0, size_.cx, size_.cy, pictureDc.Get(), 0, 0, SRCCOPY);
  BitBlt(paint.Dc(), 0, 0, size_.cx, size_.cy, buffer.Get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT SliderThumb::OnLButtonDown(LPARAM lParam) {
  if (!draggable_) return 0;
  SetCapture(Handle());
  dragging_ = true;
  anchor_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return 0;
}

LRESULT SliderThumb::OnMouseMove(LPARAM lParam) {
  if (!dragging_) return 0;
  MoveTo(DraggedThumbTop(Top(), GET_Y_LPARAM(lParam) - anchor_.y, Travel()));
  UpdateWindow(Handle());
  return 0;
}

LRESULT SliderThumb::OnLButtonUp() {
  if (!dragging_) return 0;
  dragging_ = false;  // before the release: the capture change must not end it again
  ReleaseCapture();
  // The thumb stays where it was let go; only the value is reported.
  value_ = ValueForThumbTop(Top(), min_, max_, Travel());
  PostMessageA(slider_, kSliderValueMessage, static_cast<WPARAM>(value_), id_);
  return 0;
}

void SliderThumb::OnDestroyWindow() { picture_.Reset(); }

}  // namespace skin

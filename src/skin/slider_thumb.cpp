// SliderThumb: placement by value, the drag and its report, the shape cut from the picture.
#include "skin/slider_thumb.h"

#include "skin/mask_region.h"
#include "skin/skin_control.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace skin {

bool SliderThumb::Create(const std::string& pictureFile, HWND slider, int id, bool shaped,
                         const SkinScale& scale) {
  if (!LoadSkinPicture(pictureFile, picture_, size_, scale)) return false;
  slider_ = slider;
  id_ = id;
  const SliderTravel t = Travel();
  // Starts centred on the travel's top edge, then goes to the place of value 0.
  const RECT start{-size_.cx / 2, t.top - size_.cy / 2, size_.cx - size_.cx / 2, t.top + size_.cy - size_.cy / 2};
  if (!CreatePlainControl(*this, WS_CHILD | WS_VISIBLE | WS_TABSTOP, start, slider, id)) return false;
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

// Pixels of the top-left pixel's colour lie outside the thumb.
void SliderThumb::ApplyShape() {
  COLORREF key = 0;
  {
    win::MemoryDc dc(CreateCompatibleDC(nullptr));
    win::SelectScope select(dc.Get(), picture_.Get());
    if (!select.Selected()) return;
    key = GetPixel(dc.Get(), 0, 0);
  }
  win::Region shape(MaskToRegion(picture_.Get(), key, 0));
  if (shape && SetWindowRgn(Handle(), shape.Get(), TRUE)) shape.Release();  // the window owns it now
}

bool SliderThumb::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<SliderThumb> kMap[] = {
      win::OnPaint<&SliderThumb::Paint>(),
      win::Reply<SliderThumb, 1>(WM_ERASEBKGND),  // the picture covers the whole thumb
      win::OnMouse<&SliderThumb::OnLButtonDown>(WM_LBUTTONDOWN),
      win::OnMouse<&SliderThumb::OnMouseMove>(WM_MOUSEMOVE),
      win::OnMessage<&SliderThumb::OnLButtonUp>(WM_LBUTTONUP),
      win::OnMessage<&SliderThumb::OnCaptureChanged>(WM_CAPTURECHANGED, Default::After),
      win::OnMessage<&SliderThumb::OnDestroy>(WM_DESTROY, Default::After),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void SliderThumb::Paint(HDC dc, const RECT&) {
  win::DrawBitmap(dc, RECT{0, 0, size_.cx, size_.cy}, picture_.Get());
}


void SliderThumb::OnLButtonDown(POINT at, UINT) {
  SetCapture(Handle());
  dragging_ = true;
  anchor_ = at;
}

void SliderThumb::OnMouseMove(POINT at, UINT) {
  if (!dragging_) return;
  MoveTo(DraggedThumbTop(Top(), at.y - anchor_.y, Travel()));
  UpdateWindow(Handle());
}

void SliderThumb::OnLButtonUp() {
  if (!dragging_) return;
  dragging_ = false;  // before the release: the capture change must not end it again
  ReleaseCapture();
  // The thumb stays where it was let go; only the value is reported.
  value_ = ValueForThumbTop(Top(), min_, max_, Travel());
  PostMessageA(slider_, kSliderValueMessage, static_cast<WPARAM>(value_), id_);
}

void SliderThumb::OnCaptureChanged() { dragging_ = false; }  // a drag that lost the mouse ends without a report

void SliderThumb::OnDestroy() { picture_.Reset(); }

}  // namespace skin

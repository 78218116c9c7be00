// SkinSlider: the track window, its click rule, and passing the thumb's reports on.
#include "skin/skin_slider.h"

#include <windowsx.h>

#include "skin/skin_messages.h"
#include "skin/skin_picture.h"

namespace skin {

bool SkinSlider::Create(const std::string& thumbFile, const RECT& track, HWND parent, int id) {
  // The thumb file is opened here only to learn whether it can be: no picture, no slider.
  {
    win::Bitmap probe(static_cast<HBITMAP>(LoadImageA(nullptr, thumbFile.c_str(), IMAGE_BITMAP, 0,
                                                      0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!probe) return false;
  }
  id_ = id;
  if (!CreatePlain(WS_CHILD | WS_VISIBLE, track, parent, id)) return false;
  if (!thumb_.Create(thumbFile, Handle(), id, true)) {
    Destroy();
    return false;
  }
  return true;
}

void SkinSlider::SetFace(const RECT& rect, const win::Bitmap& main) {
  win::WindowDc dc(GetParent(Handle()));
  CutFace(dc.Get(), face_, main, rect);
}

void SkinSlider::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  thumb_.SetRange(min, max);
}

void SkinSlider::SetPos(int value) {
  thumb_.SetValue(value);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT SkinSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint();
    case WM_ERASEBKGND:
      return 1;  // the face covers the track
    case WM_LBUTTONUP:
      return OnTrackClick(lParam);
    case kSliderValueMessage:
      // The thumb's report goes on to the window unchanged.
      PostMessageA(GetParent(Handle()), kSliderValueMessage, wParam, lParam);
      return 0;
    default:
      return CallDefault(message, wParam, lParam);
  }
}

LRESULT SkinSlider::OnPaint() {
  win::PaintScope paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  if (!face_) {
    FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 0;
  }
  win::MemoryDc faceDc(CreateCompatibleDC(paint.Dc()));
  if (!faceDc) return 0;
  win::SelectScope select(faceDc.Get(), face_.Get());
  BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, faceDc.Get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT SkinSlider::OnTrackClick(LPARAM lParam) {
  RECT client{};
  GetClientRect(Handle(), &client);
  // The point is in track coordinates already, so its y is the distance from the track top.
  const int value = ValueForTrackClick(GET_Y_LPARAM(lParam), min_, max_, client.bottom);
  thumb_.SetValue(value);
  PostMessageA(GetParent(Handle()), kSliderValueMessage, static_cast<WPARAM>(value), id_);
  return 0;
}

void SkinSlider::OnDestroyWindow() { face_.Reset(); }

}  // namespace skin

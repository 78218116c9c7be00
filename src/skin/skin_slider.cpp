// SkinSlider: the track window, its click rule, and passing the thumb's reports on.
#include "skin/skin_slider.h"

#include <string>

#include "skin/focus_mark.h"
#include "skin/skin_control.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace skin {

bool SkinSlider::Create(const std::string& thumbFile, const RECT& track, HWND parent, int id,
                        const SkinScale& scale) {
  // No thumb picture, no slider.
  if (PictureSize(thumbFile, scale).cx <= 0) return false;
  id_ = id;
  if (!CreatePlainControl(*this, WS_CHILD | WS_VISIBLE, track, parent, id)) return false;
  if (!thumb_.Create(thumbFile, Handle(), id, true, scale)) {
    Destroy();
    return false;
  }
  return true;
}

void SkinSlider::SetFace(const RECT& rect, HBITMAP main) {
  CutFace(face_, main, rect);
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

bool SkinSlider::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<SkinSlider> kMap[] = {
      win::OnPaint<&SkinSlider::Paint>(),
      win::Reply<SkinSlider, 1>(WM_ERASEBKGND),  // the face covers the track
      win::OnMouse<&SkinSlider::OnTrackClick>(WM_LBUTTONUP),
      win::OnValue<&SkinSlider::OnThumbValue>(kSliderValueMessage),
      win::OnMessage<&SkinSlider::OnDestroy>(WM_DESTROY, Default::After),
      win::OnMessage<&SkinSlider::OnFocusChange>(WM_SETFOCUS, Default::After),
      win::OnMessage<&SkinSlider::OnFocusChange>(WM_KILLFOCUS, Default::After),
      win::OnGetObject<&SkinSlider::OnGetObject>(),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void SkinSlider::Paint(HDC dc, const RECT& client) {
  if (!face_) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::DrawBitmap(dc, client, face_.Get());
  DrawFocusMark(Handle(), dc, client, GetFocus() == Handle());
}


// The point is in track coordinates already, so its y is the distance from the track top.
void SkinSlider::OnTrackClick(POINT at, UINT) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int value = ValueForTrackClick(at.y, min_, max_, client.bottom);
  thumb_.SetValue(value);
  PostMessageA(GetParent(Handle()), kSliderValueMessage, static_cast<WPARAM>(value), id_);
}

// The thumb's report goes on to the window unchanged.
void SkinSlider::OnThumbValue(int value, int id) {
  PostMessageA(GetParent(Handle()), kSliderValueMessage, static_cast<WPARAM>(value), id);
}

void SkinSlider::OnDestroy() { face_.Reset(); }


AccessibleFacts SkinSlider::Describe() const {
  return AccessibleFacts{name_, AccessibleRole::Slider, 0, std::to_string(thumb_.Value())};
}

bool SkinSlider::OnStepKey(UINT key) {
  const std::optional<int> value = SteppedValue(key, thumb_.Value(), min_, max_);
  if (!value) return false;
  thumb_.SetValue(*value);
  InvalidateRect(Handle(), nullptr, FALSE);
  PostMessageA(GetParent(Handle()), kSliderValueMessage, static_cast<WPARAM>(*value), id_);
  return true;
}

void SkinSlider::OnFocusChange() { InvalidateRect(Handle(), nullptr, FALSE); }

LRESULT SkinSlider::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace skin

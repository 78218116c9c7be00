// LevelBar: painting the fill, and the drag that reports its value when the mouse is released.
#include "skin/level_bar.h"

#include <string>

#include "skin/focus_mark.h"
#include "skin/skin_control.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"
#include "skin/slider_math.h"
#include "win32/paint.h"

namespace skin {

bool LevelBar::Create(const RECT& rect, HWND parent, int id) {
  id_ = id;
  return CreatePlainControl(*this, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

void LevelBar::SetFaces(const RECT& rect, HBITMAP background, HBITMAP fill) {
  CutFace(background_, background, rect);
  CutFace(fill_, fill, rect);
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

// Client x is the distance from the bar's left edge in the window's coordinates.
int LevelBar::ValueAt(POINT at) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return LevelValueAt(at.x, min_, max_, client.right);
}

bool LevelBar::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<LevelBar> kMap[] = {
      win::OnPaint<&LevelBar::Paint>(),
      win::Reply<LevelBar, 1>(WM_ERASEBKGND),  // the background face covers the bar
      win::OnMouse<&LevelBar::OnLButtonDown>(WM_LBUTTONDOWN),
      win::OnMouse<&LevelBar::OnMouseMove>(WM_MOUSEMOVE),
      win::OnMouse<&LevelBar::OnLButtonUp>(WM_LBUTTONUP),
      win::OnMessage<&LevelBar::OnCaptureChanged>(WM_CAPTURECHANGED, Default::After),
      win::OnMessage<&LevelBar::OnKillFocus>(WM_KILLFOCUS, Default::First),
      win::OnMessage<&LevelBar::OnDestroy>(WM_DESTROY, Default::After),
      win::OnMessage<&LevelBar::OnSetFocus>(WM_SETFOCUS, Default::After),
      win::OnGetObject<&LevelBar::OnGetObject>(),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void LevelBar::Paint(HDC dc, const RECT& client) {
  win::BufferedPaint buffer(dc, client);
  FillRect(buffer.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));  // shows only without faces
  win::DrawBitmap(buffer.Dc(), client, background_.Get());
  RECT filled = client;
  filled.right = client.left + LevelFillWidth(value_, min_, max_, win::Width(client));
  win::DrawBitmap(buffer.Dc(), filled, fill_.Get());
  DrawFocusMark(Handle(), buffer.Dc(), client, GetFocus() == Handle());
}


void LevelBar::OnLButtonDown(POINT, UINT) {
  SetCapture(Handle());
  dragging_ = true;
}

void LevelBar::OnMouseMove(POINT at, UINT) {
  if (!dragging_) return;
  value_ = ValueAt(at);
  Repaint();
}

void LevelBar::OnLButtonUp(POINT at, UINT) {
  dragging_ = false;
  value_ = ValueAt(at);
  PostMessageA(GetParent(Handle()), kLevelBarValueMessage, static_cast<WPARAM>(value_), id_);
  ReleaseCapture();
  Repaint();
}

void LevelBar::OnCaptureChanged() {
  if (!dragging_) return;
  // The mouse went elsewhere mid-drag: the drag ends, and later moves change nothing.
  dragging_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  Repaint();
}

void LevelBar::OnKillFocus() {
  dragging_ = false;
  Repaint();
}

void LevelBar::OnDestroy() {
  background_.Reset();
  fill_.Reset();
}


AccessibleFacts LevelBar::Describe() const {
  return AccessibleFacts{name_, AccessibleRole::Slider, 0, std::to_string(value_)};
}

bool LevelBar::OnStepKey(UINT key) {
  const std::optional<int> value = SteppedValue(key, value_, min_, max_);
  if (!value) return false;
  value_ = *value;
  PostMessageA(GetParent(Handle()), kLevelBarValueMessage, static_cast<WPARAM>(value_), id_);
  Repaint();
  return true;
}

void LevelBar::OnSetFocus() { Repaint(); }

LRESULT LevelBar::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace skin

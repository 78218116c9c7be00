// StatusLine: the text over the parent's face, its timer, and what a screen reader hears.
#include "app/status_line.h"

#include "skin/skin_control.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace app {
namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownMs = 4000;
// The skin's footer text, a little larger, in its light grey: the face's own texts are
// Liberation Sans (Arial's metrics) in this palette.
constexpr COLORREF kTextColour = RGB(222, 226, 232);
constexpr int kFontHeight = 13;

}  // namespace

bool StatusLine::Create(HWND parent, const RECT& rect, HBITMAP face) {
  face_ = win::Borrowed<HBITMAP>(face);
  origin_ = POINT{rect.left, rect.top};
  if (!skin::CreatePlainControl(*this, WS_CHILD, rect, parent, 0)) return false;
  font_.Reset(CreateFontA(skin::PxFor(Handle(), kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "Arial"));
  return true;
}

void StatusLine::Show(const std::string& text) {
  SetWindowTextW(Handle(), win::Widen(text).c_str());
  ShowWindow(Handle(), SW_SHOWNA);
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
  SetTimer(Handle(), kHideTimer, kShownMs, nullptr);
}

void StatusLine::Clear() {
  OnHideTimer();
  SetWindowTextW(Handle(), L"");
}

void StatusLine::OnHideTimer() {
  KillTimer(Handle(), kHideTimer);
  ShowWindow(Handle(), SW_HIDE);
}

bool StatusLine::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<StatusLine> kMap[] = {
      win::OnPaint<&StatusLine::Paint>(),
      win::Reply<StatusLine, 1>(WM_ERASEBKGND),  // the face is painted beneath the text
      win::OnTimer<&StatusLine::OnHideTimer>(kHideTimer),
      win::OnMessage<&StatusLine::OnDestroy>(WM_DESTROY, Default::After),
      win::OnGetObject<&StatusLine::OnGetObject>(),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

// The face under the line, then the text, cut with an ellipsis where a long file name would
// run into the buttons.
void StatusLine::Paint(HDC dc, const RECT& client) {
  win::BufferedPaint buffer(dc, client);
  win::DrawBitmap(buffer.Dc(), client, face_.Get(), origin_);
  const int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
  win::SelectScope selectFont(buffer.Dc(), font_.Get());
  SetBkMode(buffer.Dc(), TRANSPARENT);
  SetTextColor(buffer.Dc(), kTextColour);
  RECT box = client;
  DrawTextW(buffer.Dc(), text.c_str(), static_cast<int>(text.size()), &box,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void StatusLine::OnDestroy() {
  KillTimer(Handle(), kHideTimer);
  font_.Reset();
}

skin::AccessibleFacts StatusLine::Describe() const {
  char text[256] = {};
  GetWindowTextA(Handle(), text, sizeof text);
  return skin::AccessibleFacts{text, skin::AccessibleRole::StaticText};
}

LRESULT StatusLine::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = skin::AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace app

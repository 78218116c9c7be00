// MacroDisplay: glyphs, wrapping, highlight and painting.
#include "assign/macro_display.h"

#include <algorithm>

#include "assign/display_layout.h"
#include "skin/resource_ids.h"
#include "skin/skin_picture.h"
#include "win32/dpi.h"

namespace assign {
namespace {

constexpr int kLineGap = 2;   // pixels between two lines
constexpr int kGlyphTop = 2;  // a glyph's top below its line's text top

win::Bitmap LoadGlyph(int id, int percent, SIZE& size) {
  win::Bitmap glyph(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
  glyph = skin::ScaleBitmap(std::move(glyph), skin::SkinScale{percent, 100});
  size = skin::BitmapSize(glyph.Get());
  return glyph;
}

// The stock variable-width font at percent (its height is given at 100 percent).
win::Font ScaledStockFont(int percent) {
  LOGFONTA font{};
  if (percent == 100 || !GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof font, &font)) return win::Font();
  font.lfHeight = skin::ScaleLength(font.lfHeight, percent, 100);
  font.lfWidth = 0;
  return win::Font(CreateFontIndirectA(&font));
}

}  // namespace

bool MacroDisplay::Create(HWND parent, const RECT& rect) {
  return CreateOwn(kMacroDisplayClass, 0, 0, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent,
                   nullptr);
}

void MacroDisplay::SetText(std::string text) {
  text_ = std::move(text);
  if (!Handle()) return;
  SetWindowTextA(Handle(), text_.c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void MacroDisplay::SetHighlight(bool on) {
  highlight_ = on;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

bool MacroDisplay::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<MacroDisplay> kMap[] = {
      win::OnMessage<&MacroDisplay::OnCreate>(WM_CREATE, Default::First),
      win::OnPaint<&MacroDisplay::Paint>(),
      win::Reply<MacroDisplay, 1>(WM_ERASEBKGND),  // the paint covers every pixel
      win::OnMessage<&MacroDisplay::OnDestroy>(WM_DESTROY, Default::After),
      win::OnGetObject<&MacroDisplay::OnGetObject>(),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void MacroDisplay::OnCreate() {
  percent_ = win::DpiPercent(win::WindowDpi(Handle()));
  up_ = LoadGlyph(IDB_ARROW_UP, percent_, upSize_);
  down_ = LoadGlyph(IDB_ARROW_DOWN, percent_, downSize_);
  font_ = ScaledStockFont(percent_);
  highlightBrush_.Reset(CreateSolidBrush(kDisplayHighlight));
}

void MacroDisplay::OnDestroy() {
  up_.Reset();
  down_.Reset();
  font_.Reset();
  highlightBrush_.Reset();
  buffer_.Free();
}

int MacroDisplay::Advance(HDC dc, char c) const {
  if (c == '^') return upSize_.cx;
  if (c == '|') return downSize_.cx;
  SIZE extent{};
  GetTextExtentPoint32A(dc, &c, 1, &extent);
  return extent.cx;
}

void MacroDisplay::Paint(HDC target, const RECT& client) {
  win::BufferedPaint buffer(target, client, &buffer_);
  const HDC dc = buffer.Dc();
  win::SelectScope font(dc, font_ ? font_.Get() : GetStockObject(ANSI_VAR_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));  // also the black of the glyphs
  SetBkColor(dc, RGB(255, 255, 255));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int height = std::max<int>(metrics.tmHeight, upSize_.cy);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  const DisplayLayout layout =
      LayOutMacroText(text_, [&](char c) { return Advance(dc, c); }, client.right);
  if (highlight_) DrawHighlight(dc, height, layout.lineEnds);
  DrawChars(dc, layout, height + Px(kLineGap));
}

// "^" and "|" as the up and down glyphs, every other character as text.
void MacroDisplay::DrawChars(HDC dc, const DisplayLayout& layout, int lineHeight) const {
  win::MemoryDc glyphs(CreateCompatibleDC(dc));
  for (const PlacedChar& placed : layout.chars) {
    const int lineTop = placed.line * lineHeight;
    if (placed.c != '^' && placed.c != '|') {
      TextOutA(dc, placed.x, lineTop, &placed.c, 1);
      continue;
    }
    const bool up = placed.c == '^';
    const SIZE size = up ? upSize_ : downSize_;
    win::SelectScope glyph(glyphs.Get(), up ? up_.Get() : down_.Get());
    // AND keeps the glyph's black and lets its white show the highlight beneath.
    if (glyph.Selected())
      BitBlt(dc, placed.x, lineTop + Px(kGlyphTop), size.cx, size.cy, glyphs.Get(), 0, 0, SRCAND);
  }
}

// Each line with text gets a bar from x = 1 to one pixel past its end, h pixels high.
void MacroDisplay::DrawHighlight(HDC dc, int height, const std::vector<int>& lineEnds) const {
  for (int k = 0; k < static_cast<int>(lineEnds.size()); ++k) {
    if (lineEnds[k] == 0) continue;
    const int top = 1 + k * (height + Px(kLineGap));
    const RECT bar{1, top, lineEnds[k] + 1, top + height};
    FillRect(dc, &bar, highlightBrush_.Get());
  }
}


skin::AccessibleFacts MacroDisplay::Describe() const {
  return skin::AccessibleFacts{name_, skin::AccessibleRole::StaticText, 0, text_};
}

LRESULT MacroDisplay::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = skin::AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace assign

// The installer's self-painting progress bar.
#include "skininstall/percent_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "win32/raii.h"

namespace skininstall {

// The control is subclassed through the ANSI function, so text messages reach it as ANSI
// strings even though the progress class itself is a Unicode class.
bool PercentBar::Attach(HWND control) {
  if (!Subclass(control)) return false;
  font_ = win::BorrowedFont(reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0)));
  return true;
}

void PercentBar::SetRange(double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

std::string PercentBar::PercentText(double position, double maximum) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %%", maximum > 0 ? position * 100.0 / maximum : 0.0);
  return text;
}

double PercentBar::SetPos(double position) {
  if (!Handle()) return -1;
  const double previous = position_;
  position_ = position;
  // Position and text change in place, without a message or a redraw: the caller draws when it
  // wants to (Draw), since drawing every entry of a package of many small files cost more than
  // writing them.
  text_ = PercentText(position, maximum_);
  return previous;
}

void PercentBar::Draw() {
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PercentBar::Show(bool hide) {
  if (Handle()) ShowWindow(Handle(), hide ? SW_HIDE : SW_SHOW);
}

bool PercentBar::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<PercentBar> kMap[] = {
      win::OnSetText<&PercentBar::OnSetText>(),
      win::OnGetText<&PercentBar::OnGetText>(),
      win::OnMessage<&PercentBar::OnGetTextLength>(WM_GETTEXTLENGTH),
      win::OnSetFont<&PercentBar::OnSetFont>(Default::After),
      win::Reply<PercentBar, 1>(WM_ERASEBKGND),  // the paint handler covers every pixel
      win::OnPaint<&PercentBar::OnPaint>(),
      win::OnMessage<&PercentBar::OnDestroy>(WM_DESTROY, Default::After),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

LRESULT PercentBar::OnSetText(const char* text) {
  const std::string value = text ? text : "";
  if (value != text_) {
    text_ = value;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  return TRUE;
}

LRESULT PercentBar::OnGetText(char* buffer, std::size_t size) {
  if (!buffer || size == 0) return 0;
  const size_t count = std::min<size_t>(text_.size(), size - 1);
  std::memcpy(buffer, text_.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT PercentBar::OnGetTextLength() { return static_cast<LRESULT>(text_.size()); }

void PercentBar::OnSetFont(HFONT font) { font_ = win::BorrowedFont(font); }


void PercentBar::OnPaint(HDC dc, const RECT& client) {
  if (win::Width(client) <= 0 || win::Height(client) <= 0) return;
  win::BufferedPaint buffer(dc, client, &buffer_);
  Paint(buffer.Dc(), client);
}

void PercentBar::OnDestroy() { buffer_.Free(); }

void PercentBar::Paint(HDC dc, const RECT& client) const {
  const COLORREF bar = BarColour(), back = BackgroundColour();
  win::Brush backBrush(CreateSolidBrush(back));
  FillRect(dc, &client, backBrush.Get());
  if (minimum_ >= maximum_) return;
  win::Brush barBrush(CreateSolidBrush(bar));
  RECT filled = client;
  if (Vertical()) {
    filled.top = client.bottom - static_cast<int>(Fraction() * (client.bottom - client.top));
    FillRect(dc, &filled, barBrush.Get());
    return;
  }
  filled.right = client.left + BarWidth();
  FillRect(dc, &filled, barBrush.Get());
  if (showText_) PaintText(dc, client, filled.right, bar, back);
}

// The text is drawn twice, clipped to each part, in the colour of the other part.
void PercentBar::PaintText(HDC dc, const RECT& client, int filled, COLORREF bar,
                           COLORREF back) const {
  std::string text = text_;
  if (text.empty()) text = std::to_string(static_cast<int>(Fraction() * 100)) + "%";
  win::SelectScope selectFont(dc, font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const RECT parts[2] = {{client.left, client.top, filled, client.bottom},
                         {filled, client.top, client.right, client.bottom}};
  const COLORREF colours[2] = {back, bar};
  for (int i = 0; i < 2; ++i) {
    win::Region clip(CreateRectRgnIndirect(&parts[i]));
    SelectClipRgn(dc, clip.Get());
    SetTextColor(dc, colours[i]);
    RECT area = client;
    DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectClipRgn(dc, nullptr);
}

double PercentBar::Fraction() const {
  if (minimum_ >= maximum_) return 0.0;
  return std::clamp((position_ - minimum_) / (maximum_ - minimum_), 0.0, 1.0);
}

int PercentBar::BarWidth() const {
  if (!Handle()) return 0;
  RECT client;
  GetClientRect(Handle(), &client);
  return static_cast<int>(Fraction() * (client.right - client.left));
}

bool PercentBar::Vertical() const {
  return (GetWindowLongPtrA(Handle(), GWL_STYLE) & PBS_VERTICAL) != 0;
}

COLORREF PercentBar::BarColour() const {
  return barColour_ == kUnsetColour ? GetSysColor(COLOR_HIGHLIGHT) : barColour_;
}

COLORREF PercentBar::BackgroundColour() const {
  return backgroundColour_ == kUnsetColour ? GetSysColor(COLOR_WINDOW) : backgroundColour_;
}

}  // namespace skininstall

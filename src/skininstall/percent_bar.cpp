// The installer's self-painting progress bar.
#include "skininstall/percent_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "win32/raii.h"

namespace skininstall {
namespace {

constexpr char kObjectProperty[] = "PercentBarObject";

}  // namespace

PercentBar::~PercentBar() { Detach(); }

// The window procedure is replaced through the ANSI function, so text messages reach this
// control as ANSI strings even though the progress class itself is a Unicode class.
bool PercentBar::Attach(HWND control) {
  if (!control || hwnd_) return false;
  SetPropA(control, kObjectProperty, this);
  const LONG_PTR previous =
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PercentBar::WindowProc));
  if (!previous) {
    RemovePropA(control, kObjectProperty);
    return false;
  }
  previousProc_ = reinterpret_cast<WNDPROC>(previous);
  hwnd_ = control;
  font_ = reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0));
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
  if (!hwnd_) return -1;
  const double previous = position_;
  position_ = position;
  SetWindowTextA(hwnd_, PercentText(position, maximum_).c_str());
  const int width = BarWidth();
  if (width != lastBarWidth_) {
    lastBarWidth_ = width;
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  }
  return previous;
}

void PercentBar::Show(bool hide) {
  if (hwnd_) ShowWindow(hwnd_, hide ? SW_HIDE : SW_SHOW);
}

void PercentBar::Detach() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
  RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
}

LRESULT CALLBACK PercentBar::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<PercentBar*>(GetPropA(hwnd, kObjectProperty));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT:
      return self->OnSetText(reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT:
      return self->OnGetText(wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(self->text_.size());
    case WM_SETFONT:
      self->font_ = reinterpret_cast<HFONT>(wParam);
      break;
    case WM_SIZE:
      self->lastBarWidth_ = -1;
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint handler covers every pixel
    case WM_PAINT:
      self->OnPaint();
      return 0;
    case WM_NCDESTROY: {
      const WNDPROC previous = self->previousProc_;
      self->Detach();
      return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
  }
  return CallWindowProcA(self->previousProc_, hwnd, message, wParam, lParam);
}

LRESULT PercentBar::OnSetText(const char* text) {
  const std::string value = text ? text : "";
  if (value != text_) {
    text_ = value;
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return TRUE;
}

LRESULT PercentBar::OnGetText(WPARAM size, char* buffer) const {
  if (!buffer || size == 0) return 0;
  const size_t count = std::min<size_t>(text_.size(), size - 1);
  std::memcpy(buffer, text_.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

void PercentBar::OnPaint() {
  win::PaintScope paint(hwnd_);
  RECT client;
  GetClientRect(hwnd_, &client);
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  if (!backDc_ || !backBitmap_ || backSize_.cx != width || backSize_.cy != height) {
    backDc_.Reset(CreateCompatibleDC(paint.Dc()));
    backBitmap_.Reset(CreateCompatibleBitmap(paint.Dc(), width, height));
    backSize_ = {width, height};
  }
  if (!backDc_ || !backBitmap_) return;
  {
    win::SelectScope selectBitmap(backDc_.Get(), backBitmap_.Get());
    Paint(backDc_.Get(), client);
    BitBlt(paint.Dc(), 0, 0, width, height, backDc_.Get(), 0, 0, SRCCOPY);
  }
}

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
  win::SelectScope selectFont(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
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
  if (!hwnd_) return 0;
  RECT client;
  GetClientRect(hwnd_, &client);
  return static_cast<int>(Fraction() * (client.right - client.left));
}

bool PercentBar::Vertical() const {
  return (GetWindowLongPtrA(hwnd_, GWL_STYLE) & PBS_VERTICAL) != 0;
}

COLORREF PercentBar::BarColour() const {
  return barColour_ == kUnsetColour ? GetSysColor(COLOR_HIGHLIGHT) : barColour_;
}

COLORREF PercentBar::BackgroundColour() const {
  return backgroundColour_ == kUnsetColour ? GetSysColor(COLOR_WINDOW) : backgroundColour_;
}

}  // namespace skininstall

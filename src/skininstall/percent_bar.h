// The installer's progress bar: a standard progress control that paints itself, double-buffered,
// with a percentage text that inverts where the bar passes under it.
#pragma once

#include <windows.h>

#include <string>

#include "win32/raii.h"

namespace skininstall {

class PercentBar {
 public:
  static constexpr COLORREF kUnsetColour = 0xFF000000;

  PercentBar() = default;
  ~PercentBar();
  PercentBar(const PercentBar&) = delete;
  PercentBar& operator=(const PercentBar&) = delete;

  // Takes over painting and text of an existing progress control.
  bool Attach(HWND control);
  HWND Handle() const { return hwnd_; }

  void SetRange(double minimum, double maximum);
  // Returns the previous position, or -1 when there is no control.
  double SetPos(double position);
  double GetPos() const { return position_; }
  void Show(bool hide);
  void SetBarColour(COLORREF colour) { barColour_ = colour; }
  void SetBackgroundColour(COLORREF colour) { backgroundColour_ = colour; }

  // "%.2f %%" of position x 100 / maximum (0 when maximum is not positive).
  static std::string PercentText(double position, double maximum);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();
  LRESULT OnSetText(const char* text);
  LRESULT OnGetText(WPARAM size, char* buffer) const;
  void OnPaint();
  void Paint(HDC dc, const RECT& client) const;
  void PaintText(HDC dc, const RECT& client, int filled, COLORREF bar, COLORREF back) const;
  int BarWidth() const;
  double Fraction() const;
  bool Vertical() const;
  COLORREF BarColour() const;
  COLORREF BackgroundColour() const;

  HWND hwnd_ = nullptr;
  WNDPROC previousProc_ = nullptr;
  double position_ = 0.0;
  double minimum_ = 0.0;
  double maximum_ = 100.0;
  double step_ = 1.0;
  bool showText_ = true;
  std::string text_;
  COLORREF barColour_ = kUnsetColour;
  COLORREF backgroundColour_ = kUnsetColour;
  int lastBarWidth_ = -1;
  HFONT font_ = nullptr;  // the dialog's font, owned by the dialog
  // The off-screen copy that every paint draws into, made again only when the size changes:
  // the installer repaints the bar after every entry.
  win::MemoryDc backDc_;
  win::Bitmap backBitmap_;
  SIZE backSize_{};
};

}  // namespace skininstall

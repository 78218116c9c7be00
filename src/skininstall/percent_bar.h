// The installer's progress bar: a standard progress control that paints itself, double-buffered,
// with a percentage text that inverts where the bar passes under it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "win32/paint.h"
#include "win32/window.h"

namespace skininstall {

class PercentBar : public win::Window {
 public:
  static constexpr COLORREF kUnsetColour = 0xFF000000;

  // Takes over painting and text of an existing progress control.
  bool Attach(HWND control);

  void SetRange(double minimum, double maximum);
  // Returns the previous position, or -1 when there is no control. The position and its text
  // show from the next Draw() (or paint) on.
  double SetPos(double position);
  // Draws the bar as it stands now.
  void Draw();
  void Show(bool hide);
  void SetBarColour(COLORREF colour) { barColour_ = colour; }
  void SetBackgroundColour(COLORREF colour) { backgroundColour_ = colour; }

  // "%.2f %%" of position x 100 / maximum (0 when maximum is not positive).
  static std::string PercentText(double position, double maximum);

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  LRESULT OnSetText(const char* text);
  LRESULT OnGetText(char* buffer, std::size_t size);
  LRESULT OnGetTextLength();
  void OnSetFont(HFONT font);
  void OnPaint(HDC dc, const RECT& client);
  void OnDestroy();
  void Paint(HDC dc, const RECT& client) const;
  void PaintText(HDC dc, const RECT& client, int filled, COLORREF bar, COLORREF back) const;
  int BarWidth() const;
  double Fraction() const;
  bool Vertical() const;
  COLORREF BarColour() const;
  COLORREF BackgroundColour() const;

  double position_ = 0.0;
  double minimum_ = 0.0;
  double maximum_ = 100.0;
  double step_ = 1.0;
  bool showText_ = true;
  std::string text_;
  COLORREF barColour_ = kUnsetColour;
  COLORREF backgroundColour_ = kUnsetColour;
  win::BorrowedFont font_;  // the dialog's font, owned by the dialog
  win::PaintBuffer buffer_;  // kept between paints: the bar repaints many times an install
};

}  // namespace skininstall

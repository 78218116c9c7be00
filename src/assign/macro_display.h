// MacroDisplay: the key panel's text box: the macro text in the stock variable-width font, key
// presses and releases as arrow glyphs, wrapped onto at most five lines, optionally highlighted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "assign/display_layout.h"
#include "skin/skin_scale.h"
#include "skin/skin_accessible.h"
#include "win32/paint.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace assign {

constexpr char kMacroDisplayClass[] = "PwMacroDisplay";
constexpr COLORREF kDisplayHighlight = RGB(127, 181, 53);

class MacroDisplay : public win::Window, public skin::AccessibleSource {
 public:
  // A visible child at rect (parent client pixels) that the dialog's Tab key can reach.
  bool Create(HWND parent, const RECT& rect);

  // The text is also the window's text, so that readers outside the program see it.
  void SetText(std::string text);
  void SetHighlight(bool on);
  const std::string& Text() const { return text_; }
  bool Highlighted() const { return highlight_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Static text whose value is the recorded keys.
  skin::AccessibleFacts Describe() const override;

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnCreate();
  void Paint(HDC dc, const RECT& client);
  void OnDestroy();
  LRESULT OnGetObject(DWORD flags, LONG objectId);
  void DrawHighlight(HDC dc, int height, const std::vector<int>& lineEnds) const;
  void DrawChars(HDC dc, const DisplayLayout& layout, int lineHeight) const;
  int Advance(HDC dc, char c) const;

  std::string text_;
  std::string name_;
  bool highlight_ = false;
  // Program resources 138 (up, a release) and 137 (down, a press): 7 x 9, 1 bit per pixel.
  int Px(int length) const { return skin::ScaleLength(length, percent_, 100); }
  win::Bitmap up_, down_;
  win::Font font_;   // the stock font scaled to the display's DPI; none at 100 percent
  int percent_ = 100;
  SIZE upSize_{0, 0}, downSize_{0, 0};
  win::Brush highlightBrush_;
  win::PaintBuffer buffer_;
};

}  // namespace assign

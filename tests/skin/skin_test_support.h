// Helpers of the skin tests under Wine: bitmaps and BMP files made from a pixel rule, and a
// host window that records what its skin controls report.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/message_sequence.h"
#include "win32/raii.h"

namespace skintest {

using PixelRule = std::function<COLORREF(int x, int y)>;

// A 32-bit top-down DIB section filled by rule.
HBITMAP MakeBitmap(int w, int h, const PixelRule& rule);
inline HBITMAP MakeSolidBitmap(int w, int h, COLORREF c) {
  return MakeBitmap(w, h, [c](int, int) { return c; });
}
// The bytes of a 24-bit BMP file filled by rule.
std::string BmpFileBytes(int w, int h, const PixelRule& rule);
bool WriteBmp(const std::string& path, int w, int h, const PixelRule& rule);

// What reached the host window.
struct Report {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A visible top-level window that reflects owner draw and button notifications to skin
// controls and records WM_COMMAND and the slider and level-bar messages.
class HostWindow : public testing_support::RecorderWindow {
 public:
  HostWindow(int w = 400, int h = 300);
  std::vector<Report> Reports() const;
  void ClearReports() { Clear(); }
};

// The colour at (x, y) of a window's client area, as it is on screen now.
COLORREF PixelOf(HWND hwnd, int x, int y);
// Repaints a window and its children at once.
void PaintNow(HWND hwnd);

// Every rectangle of a region (GetRegionData).
std::vector<RECT> RegionRects(HRGN region);

}  // namespace skintest

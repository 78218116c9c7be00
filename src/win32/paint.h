// Painting helpers: off-screen composition with one copy to the screen, and bitmap copies.
#pragma once

#include <windows.h>

#include "win32/raii.h"

namespace win {

// A 32-bit bitmap of the given size for off-screen drawing, or null. A DIB section rather than
// a device-compatible bitmap: under Wine each compatible bitmap made or selected asks the
// server about the displays, and a window full of faces asks hundreds of times.
Bitmap CreateCanvas(int width, int height);

// A memory DC and a canvas kept by a window between paints, so that a window that repaints
// often does not make new ones each time. Grows as needed, never shrinks.

class PaintBuffer {
 public:
  // The memory DC with a bitmap of at least width x height selected, or null.
  HDC Prepare(HDC compatibleWith, int width, int height);
  void Free();

 private:
  MemoryDc dc_;
  Bitmap canvas_;
  HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before the canvas goes
  SIZE size_{0, 0};
};

// Draws into an off-screen bitmap while it lives and copies the area to the target when it
// goes. Dc() uses the target's coordinates. Without memory for a buffer, Dc() is the target
// itself and drawing goes straight to it.
class BufferedPaint {
 public:
  // keep: a window's own buffer to reuse; without it a buffer is made for this paint alone.
  BufferedPaint(HDC target, const RECT& area, PaintBuffer* keep = nullptr);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  HDC Dc() const { return buffer_ ? buffer_ : target_; }

 private:
  HDC target_;
  RECT area_;
  PaintBuffer own_;
  HDC buffer_ = nullptr;
  POINT oldOrigin_{0, 0};
};

// Copies bitmap pixels from `from` (top-left) into `to`, one to one. Nothing for no bitmap.
void DrawBitmap(HDC dc, const RECT& to, HBITMAP bitmap, POINT from = {0, 0});
// Stretches the whole bitmap over `to`.
void StretchBitmap(HDC dc, const RECT& to, HBITMAP bitmap);

inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace win

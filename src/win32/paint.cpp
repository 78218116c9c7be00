// Off-screen painting and bitmap copies.
#include "win32/paint.h"

namespace win {

Bitmap CreateCanvas(int width, int height) {
  if (width <= 0 || height <= 0) return Bitmap();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HDC PaintBuffer::Prepare(HDC compatibleWith, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  if (dc_ && canvas_ && size_.cx >= width && size_.cy >= height) return dc_.Get();
  Free();
  dc_.Reset(CreateCompatibleDC(compatibleWith));
  canvas_ = CreateCanvas(width, height);
  if (!dc_ || !canvas_) {
    Free();
    return nullptr;
  }
  original_ = SelectObject(dc_.Get(), canvas_.Get());
  size_ = SIZE{width, height};
  return dc_.Get();
}

void PaintBuffer::Free() {
  if (dc_ && original_) SelectObject(dc_.Get(), original_);
  original_ = nullptr;
  dc_.Reset();
  canvas_.Reset();
  size_ = SIZE{0, 0};
}

BufferedPaint::BufferedPaint(HDC target, const RECT& area, PaintBuffer* keep)
    : target_(target), area_(area) {
  buffer_ = (keep ? *keep : own_).Prepare(target, Width(area), Height(area));
  // Drawing code uses the target's coordinates; the buffer's origin is the area's corner.
  if (buffer_) SetViewportOrgEx(buffer_, -area.left, -area.top, &oldOrigin_);
}

BufferedPaint::~BufferedPaint() {
  if (!buffer_) return;
  SetViewportOrgEx(buffer_, oldOrigin_.x, oldOrigin_.y, nullptr);
  BitBlt(target_, area_.left, area_.top, Width(area_), Height(area_), buffer_, 0, 0, SRCCOPY);
}

void DrawBitmap(HDC dc, const RECT& to, HBITMAP bitmap, POINT from) {
  if (!bitmap) return;
  MemoryDc source(CreateCompatibleDC(dc));
  SelectScope select(source.Get(), bitmap);
  if (!select.Selected()) return;
  BitBlt(dc, to.left, to.top, Width(to), Height(to), source.Get(), from.x, from.y, SRCCOPY);
}

void StretchBitmap(HDC dc, const RECT& to, HBITMAP bitmap) {
  if (!bitmap) return;
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info)) return;
  MemoryDc source(CreateCompatibleDC(dc));
  SelectScope select(source.Get(), bitmap);
  if (!select.Selected()) return;
  StretchBlt(dc, to.left, to.top, Width(to), Height(to), source.Get(), 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
}

}  // namespace win

// Skin test helpers: pixel-rule bitmaps, BMP files, the recording host window, region data.
#include "skin_test_support.h"

#include <cstdint>
#include <cstring>

#include "skin/skin_messages.h"

namespace skintest {

HBITMAP MakeBitmap(int w, int h, const PixelRule& rule) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* px = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = rule(x, y);
      px[static_cast<std::size_t>(y) * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  return bitmap;
}

std::string BmpFileBytes(int w, int h, const PixelRule& rule) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * h;
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = stride * h;
  std::string out(reinterpret_cast<const char*>(&file), sizeof file);
  out.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int row = h - 1; row >= 0; --row) {
    std::string line(stride, '\0');
    for (int x = 0; x < w; ++x) {
      const COLORREF c = rule(x, row);
      line[x * 3] = static_cast<char>(GetBValue(c));
      line[x * 3 + 1] = static_cast<char>(GetGValue(c));
      line[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    out += line;
  }
  return out;
}

bool WriteBmp(const std::string& path, int w, int h, const PixelRule& rule) {
  const std::string bytes = BmpFileBytes(w, h, rule);
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}


HostWindow::HostWindow(int w, int h)
    : RecorderWindow({WM_COMMAND, skin::kSliderValueMessage, skin::kLevelBarValueMessage}, w, h) {}

std::vector<Report> HostWindow::Reports() const {
  std::vector<Report> reports;
  for (const testing_support::RecordedMessage& m : Messages())
    reports.push_back(Report{m.message, m.wParam, m.lParam});
  return reports;
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
  win::WindowDc dc(hwnd);
  return GetPixel(dc.Get(), x, y);
}

void PaintNow(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::vector<RECT> RegionRects(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size == 0) return {};
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(region, size, data) == 0) return {};
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

}  // namespace skintest

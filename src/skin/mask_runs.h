// Runs of window pixels in a 32-bit mask copy: the platform-free core of the region builder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

// Rectangles gathered before each region is made, and the step the buffer grows by.
constexpr std::uint32_t kRegionBatchRects = 2000;
constexpr std::uint32_t kRegionBufferStep = 100;

// Inclusive bounds per pixel byte (memory order blue, green, red of a 32-bit pixel).
struct KeyBounds {
  std::uint8_t low[3] = {};
  std::uint8_t high[3] = {};
};

// key and tolerance are COLORREFs (0x00BBGGRR); the key's red bounds pixel byte 0, as the
// region builder has always read them; each high bound stops at 255.
KeyBounds MakeKeyBounds(std::uint32_t key, std::uint32_t tolerance);

// A key-coloured pixel lies outside the window; the fourth byte is ignored.
inline bool IsKeyPixel(const std::uint8_t* p, const KeyBounds& b) {
  for (int c = 0; c < 3; ++c) {
    if (p[c] < b.low[c] || p[c] > b.high[c]) return false;
  }
  return true;
}

// Bytes per row of a 32-bit image, rounded up to a multiple of 4.
inline std::size_t RowBytes32(int width) {
  return (static_cast<std::size_t>(width) * 32 + 31) / 32 * 4;
}

// Calls run(x0, y, x1) for every horizontal run [x0, x1) of window pixels, rows from the
// top of the image (the last row in memory: the copy is bottom-up) to its bottom.
template <class RunSink>
void ForEachWindowRun(const std::uint8_t* bits, int width, int height, const KeyBounds& bounds,
                      RunSink&& run) {
  const std::size_t stride = RowBytes32(width);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = bits + static_cast<std::size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const int x0 = x;
      while (x < width && !IsKeyPixel(row + static_cast<std::size_t>(x) * 4, bounds)) ++x;
      if (x > x0) run(x0, y, x);
    }
  }
}

}  // namespace skin

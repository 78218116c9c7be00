// BmpLooksComplete: header sizes against the file size, computed without overflow.
#include "skin/bmp_check.h"

namespace skin {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;  // the oldest info header
constexpr std::uint32_t kRgb = 0, kBitfields = 3, kAlphaBitfields = 6;

std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

bool BmpLooksComplete(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') return true;  // not ours to judge
  if (size < kFileHeaderBytes + 4) return false;
  const std::uint64_t pixelsAt = U32(data + 10);
  const std::uint64_t infoSize = U32(data + 14);
  if (infoSize < kCoreHeaderBytes || kFileHeaderBytes + infoSize > size || pixelsAt > size) return false;
  const std::uint8_t* info = data + kFileHeaderBytes;
  std::uint64_t width, height, bits, compression = kRgb;
  if (infoSize == kCoreHeaderBytes) {
    width = U16(info + 4);
    height = U16(info + 6);
    bits = U16(info + 10);
  } else {
    if (infoSize < 20) return false;
    const std::int32_t w = static_cast<std::int32_t>(U32(info + 4));
    const std::int32_t h = static_cast<std::int32_t>(U32(info + 8));
    width = w < 0 ? 0 - static_cast<std::uint64_t>(w) : static_cast<std::uint64_t>(w);
    height = h < 0 ? 0 - static_cast<std::uint64_t>(h) : static_cast<std::uint64_t>(h);
    bits = U16(info + 14);
    compression = U32(info + 16);
  }
  // Compressed pixels have no size that follows from the header; they must at least start.
  if (compression != kRgb && compression != kBitfields && compression != kAlphaBitfields) {
    return pixelsAt < size;
  }
  const std::uint64_t stride = (width * bits + 31) / 32 * 4;  // below 2^53: no overflow
  return stride * height <= size - pixelsAt;
}

}  // namespace skin

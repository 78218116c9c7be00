// MaskToRegion: one pass over the mask, copied band by band into a small 32-bit bitmap,
// rectangles gathered in a growing buffer and turned into regions in batches, each batch
// combined into the result.
#include "skin/mask_region.h"

#include <algorithm>
#include <cstdint>

#include "skin/mask_runs.h"
#include "win32/paint.h"
#include "win32/raii.h"

namespace skin {
namespace {

constexpr DWORD kHeaderBytes = sizeof(RGNDATAHEADER);

void ResetHeader(RGNDATAHEADER& h) {
  h.nCount = 0;
  h.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
}

// The RGNDATA block: a movable global block kept locked between growth steps.
class RectBuffer {
 public:
  explicit RectBuffer(RegionCalls& calls) : calls_(calls) {
    block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, Bytes());
    if (block_) data_ = static_cast<RGNDATA*>(GlobalLock(block_));
    if (!data_) return;
    data_->rdh.dwSize = kHeaderBytes;
    data_->rdh.iType = RDH_RECTANGLES;
    data_->rdh.nRgnSize = 0;
    ResetHeader(data_->rdh);
  }
  RectBuffer(const RectBuffer&) = delete;
  RectBuffer& operator=(const RectBuffer&) = delete;
  ~RectBuffer() {
    if (data_) GlobalUnlock(block_);
    if (block_) GlobalFree(block_);
  }
  bool Ready() const { return data_ != nullptr; }

  // Appends one run; false when the buffer could not grow (the region is then given up).
  bool Append(int x0, int y, int x1) {
    if (data_->rdh.nCount >= capacity_ && !Grow()) return false;
    RGNDATAHEADER& h = data_->rdh;
    RECT* rects = reinterpret_cast<RECT*>(data_->Buffer);
    rects[h.nCount] = RECT{x0, y, x1, y + 1};
    if (x0 < h.rcBound.left) h.rcBound.left = x0;
    if (y < h.rcBound.top) h.rcBound.top = y;
    if (x1 > h.rcBound.right) h.rcBound.right = x1;
    if (y + 1 > h.rcBound.bottom) h.rcBound.bottom = y + 1;
    if (++h.nCount == kRegionBatchRects) return Flush();
    return true;
  }

  // Turns what the buffer holds into a region and unites it with the result.
  bool Flush() {
    win::Region part(calls_.Create(data_, Bytes()));
    ResetHeader(data_->rdh);
    if (!part) return false;
    if (!result_) {
      result_ = std::move(part);
      return true;
    }
    return calls_.Combine(result_.Get(), result_.Get(), part.Get(), RGN_OR) != ERROR;
  }

  HRGN TakeResult() { return result_.Release(); }

 private:
  DWORD Bytes() const { return kHeaderBytes + static_cast<DWORD>(sizeof(RECT)) * capacity_; }

  bool Grow() {
    GlobalUnlock(block_);
    data_ = nullptr;
    HGLOBAL bigger = GlobalReAlloc(block_, Bytes() + sizeof(RECT) * kRegionBufferStep, GMEM_MOVEABLE);
    if (bigger) {
      block_ = bigger;
      capacity_ += kRegionBufferStep;
    }
    data_ = static_cast<RGNDATA*>(GlobalLock(block_));
    return bigger && data_;
  }

  RegionCalls& calls_;
  HGLOBAL block_ = nullptr;
  RGNDATA* data_ = nullptr;
  DWORD capacity_ = kRegionBufferStep;
  win::Region result_;
};

// Rows of the mask copied at a time: a whole-window copy was a megabyte of fresh memory, whose
// first use cost a window's start several milliseconds under Wine.
constexpr int kBandRows = 32;

// The rows of the canvas selected into a paint buffer's DC.
const std::uint8_t* CanvasBits(HDC dc) {
  DIBSECTION section{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section) != sizeof section) return nullptr;
  return static_cast<const std::uint8_t*>(section.dsBm.bmBits);
}

}  // namespace

HRGN MaskToRegion(HBITMAP mask, COLORREF key, COLORREF tolerance) {
  RegionCalls gdi;
  return MaskToRegion(mask, key, tolerance, gdi);
}

HRGN MaskToRegion(HBITMAP mask, COLORREF key, COLORREF tolerance, RegionCalls& calls) {
  if (!mask) return nullptr;
  BITMAP info{};
  if (GetObjectA(mask, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int w = info.bmWidth, h = info.bmHeight, bandRows = (std::min)(kBandRows, h);
  win::PaintBuffer band;  // a top-down 32-bit canvas
  const HDC bandDc = band.Prepare(nullptr, w, bandRows);
  const std::uint8_t* bits = bandDc ? CanvasBits(bandDc) : nullptr;
  if (!bits) return nullptr;
  win::MemoryDc sourceDc(CreateCompatibleDC(bandDc));
  if (!sourceDc) return nullptr;
  win::SelectScope selectSource(sourceDc.Get(), mask);
  RectBuffer buffer(calls);
  if (!buffer.Ready()) return nullptr;
  const KeyBounds bounds = MakeKeyBounds(key, tolerance);
  bool ok = true;
  for (int top = 0; ok && top < h; top += bandRows) {
    const int rows = (std::min)(bandRows, h - top);
    ok = BitBlt(bandDc, 0, 0, w, rows, sourceDc.Get(), 0, top, SRCCOPY) != FALSE;
    GdiFlush();  // the DIB's memory must hold the copy before it is read directly
    for (int r = 0; r < rows; ++r) {
      ForEachWindowRun(bits + static_cast<std::size_t>(r) * RowBytes32(w), w, 1, bounds,
                       [&](int x0, int, int x1) {
                         if (ok) ok = buffer.Append(x0, top + r, x1);
                       });
    }
  }
  if (ok) ok = buffer.Flush();  // the remainder, even when empty
  if (!ok) return nullptr;
  return buffer.TakeResult();
}

}  // namespace skin

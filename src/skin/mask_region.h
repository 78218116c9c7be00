// MaskToRegion: a window region from a mask picture; key-coloured pixels lie outside.
#pragma once

#include <windows.h>

namespace skin {

// The two region calls the builder makes. A test replaces them to count or observe the
// calls; the default forwards to GDI.
class RegionCalls {
 public:
  virtual ~RegionCalls() = default;
  virtual HRGN Create(const RGNDATA* data, DWORD size) { return ExtCreateRegion(nullptr, size, data); }
  virtual int Combine(HRGN target, HRGN a, HRGN b, int mode) { return CombineRgn(target, a, b, mode); }
};

// The union of the horizontal runs of pixels whose colour lies outside [key, key + tolerance]
// (per channel), in the bitmap's pixel coordinates; null for no bitmap or when the copy
// cannot be made. The caller owns the region.
HRGN MaskToRegion(HBITMAP mask, COLORREF key, COLORREF tolerance);
HRGN MaskToRegion(HBITMAP mask, COLORREF key, COLORREF tolerance, RegionCalls& calls);

}  // namespace skin

// SkinItem: one placement value of a skin description (label, rectangle, tooltip, latched flag).
#pragma once

#include <cstddef>
#include <string_view>

namespace skin {

// Client-pixel rectangle; laid out like the Win32 RECT so the two convert field by field.
struct SkinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct SkinItem {
  static constexpr std::size_t kLabelSize = 40;    // 39 characters and the terminator
  static constexpr std::size_t kTooltipSize = 100;  // 99 characters and the terminator

  char label[kLabelSize] = {};
  SkinRect rect;
  char tooltip[kTooltipSize] = {};
  bool latched = false;
};

// Parses "label,x,y,width,height,tooltip,flag". Missing numbers read as 0; a label or
// tooltip longer than its field is cut to fit; "TRUE" anywhere after the label latches.
// The tooltip is the field before the last comma, so shorter values still give one
// (for "A,1,2" it is "1"); a value with at most one comma has none.
SkinItem ParseSkinItem(std::string_view value);

}  // namespace skin

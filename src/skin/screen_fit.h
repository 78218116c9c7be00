// Where a window that opens beside another (a side panel) or below a control (a menu) goes so
// that it stays inside the work area of its monitor.
#pragma once

#include "skin/skin_item.h"

namespace skin {

struct Fitted {
  SkinRect rect;
  bool mirroredX = false;  // went to the other side of the owner
  bool mirroredY = false;  // went above the owner instead of below it
};

// Which way a window may turn over its owner when it does not fit where it would stand; one
// that may not turn is only shifted.
enum class Turn { Never, Sideways, SidewaysAndUp };

// The place of a window that would stand at `wanted` next to `owner`: wanted itself where it
// lies inside `work`; otherwise, on each axis where it does not, the mirror image across the
// owner (a panel at the owner's right edge goes to its left edge; a menu below a control goes
// above it, flush with its right edge) when that lies inside, and last the place shifted inside
// the work area, the left and top edges kept when the window is larger than the work area.
Fitted FitInWork(const SkinRect& wanted, const SkinRect& owner, const SkinRect& work, Turn turn);
// The mirror image of rect across the owner's vertical middle: what hangs at the owner's right
// edge hangs at its left edge, as far out.
SkinRect MirroredX(const SkinRect& rect, const SkinRect& owner);

}  // namespace skin

// The order Tab moves through a skinned window's controls: reading order of their rectangles.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "skin/skin_item.h"

namespace skin {

// A control Tab may stop at; only a visible, enabled control is available.
struct FocusStop {
  SkinRect rect;
  bool available = true;
};

// The available stops, top to bottom, then left to right, by their rectangles' top-left corners.
std::vector<std::size_t> ReadingOrder(std::span<const FocusStop> stops);

// Where Tab (backward: Shift+Tab) goes from the stop at current, round from the last to the
// first; from no stop, or one that is not available, to the first (backward: the last).
// Nothing when no stop is available.
std::optional<std::size_t> NextStop(std::span<const FocusStop> stops,
                                    std::optional<std::size_t> current, bool backward);

}  // namespace skin

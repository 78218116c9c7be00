// Reading order of a window's controls for the keyboard.
#include "skin/reading_order.h"

#include <algorithm>

namespace skin {

std::vector<std::size_t> ReadingOrder(std::span<const FocusStop> stops) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < stops.size(); ++i)
    if (stops[i].available) order.push_back(i);
  // Stable, so two controls at one place keep the order the window made them in.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const SkinRect& x = stops[a].rect;
    const SkinRect& y = stops[b].rect;
    return x.top != y.top ? x.top < y.top : x.left < y.left;
  });
  return order;
}

std::optional<std::size_t> NextStop(std::span<const FocusStop> stops,
                                    std::optional<std::size_t> current, bool backward) {
  const std::vector<std::size_t> order = ReadingOrder(stops);
  if (order.empty()) return std::nullopt;
  const auto at = current ? std::find(order.begin(), order.end(), *current) : order.end();
  if (at == order.end()) return backward ? order.back() : order.front();
  const std::size_t place = static_cast<std::size_t>(at - order.begin());
  const std::size_t n = order.size();
  return order[backward ? (place + n - 1) % n : (place + 1) % n];
}

}  // namespace skin

// Slider and level-bar arithmetic. Everything is computed in 64 bits, and a quotient over an
// empty range or a zero-length travel counts as 0 instead of dividing by zero.
#include "skin/slider_math.h"

#include <algorithm>
#include <cstdint>

namespace skin {
namespace {

using Wide = std::int64_t;

// (a * b) / c with truncation toward zero, as 32-bit integer code would give it when it
// does not overflow; c == 0 gives 0.
Wide MulDivWide(Wide a, Wide b, Wide c) { return c == 0 ? 0 : a * b / c; }

int Narrow(Wide v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int>(v);
}

}  // namespace

int OutOfRangeToMin(int value, int min, int max) { return (value < min || value > max) ? min : value; }

int ClampInto(int value, int min, int max) {
  if (value > max) value = max;
  if (value < min) value = min;
  return value;
}

int ThumbTopForValue(int value, int min, int max, const SliderTravel& t) {
  const int v = OutOfRangeToMin(value, min, max);
  const Wide span = Wide{t.bottom} - t.top - t.thumbHeight;
  if (max == min) return Narrow(t.top + span);  // a one-value range sits at its minimum
  return Narrow(t.top + MulDivWide(span, Wide{max} - v, Wide{max} - min));
}

int DraggedThumbTop(int top, int dy, const SliderTravel& t) {
  Wide y = Wide{top} + dy;
  const Wide lowest = Wide{t.bottom} - t.thumbHeight;
  if (y > lowest) y = lowest;
  if (y < t.top) y = t.top;
  return Narrow(y);
}

int ValueForThumbTop(int thumbTop, int min, int max, const SliderTravel& t) {
  const Wide span = Wide{t.bottom} - t.top - t.thumbHeight;
  const Wide g = min + MulDivWide(Wide{thumbTop} - t.top, Wide{max} - min, span);
  return Narrow(Wide{min} + max - ClampInto(Narrow(g), min, max));
}

int ValueForTrackClick(int y, int min, int max, int trackHeight) {
  const Wide c = min + MulDivWide(y, Wide{max} - min, trackHeight);
  return Narrow(Wide{min} + max - ClampInto(Narrow(c), min, max));
}

int LevelFillWidth(int value, int min, int max, int width) {
  // The painter copies this many columns: never fewer than none nor more than the bar.
  return ClampInto(Narrow(MulDivWide(Wide{value} - min, width, Wide{max} - min)), 0, width < 0 ? 0 : width);
}

int LevelValueAt(int x, int min, int max, int width) {
  if (x < 0) x = 0;
  const Wide v = min + MulDivWide(Wide{max} - min, x, width);
  return ClampInto(Narrow(v), min, max);
}

namespace {

enum class Step { Down, Up, PageDown, PageUp, ToMin, ToMax };

struct StepRow {
  std::uint32_t key;
  Step step;
};

// Virtual-key codes: Page Up 33, Page Down 34, End 35, Home 36, Left 37, Up 38, Right 39, Down 40.
constexpr StepRow kStepKeys[] = {{37, Step::Down},    {40, Step::Down},   {38, Step::Up},
                                 {39, Step::Up},      {34, Step::PageDown}, {33, Step::PageUp},
                                 {36, Step::ToMin},   {35, Step::ToMax}};

}  // namespace

std::optional<int> SteppedValue(std::uint32_t key, int value, int min, int max) {
  const StepRow* row = nullptr;
  for (const StepRow& r : kStepKeys)
    if (r.key == key) row = &r;
  if (!row || max < min) return std::nullopt;
  const int page = (std::max)(1, static_cast<int>((Wide{max} - min) / 10));
  const int from = ClampInto(value, min, max);
  switch (row->step) {
    case Step::Down:
      return ClampInto(Narrow(Wide{from} - 1), min, max);
    case Step::Up:
      return ClampInto(Narrow(Wide{from} + 1), min, max);
    case Step::PageDown:
      return ClampInto(Narrow(Wide{from} - page), min, max);
    case Step::PageUp:
      return ClampInto(Narrow(Wide{from} + page), min, max);
    case Step::ToMin:
      return min;
    case Step::ToMax:
      return max;
  }
  return std::nullopt;
}

}  // namespace skin

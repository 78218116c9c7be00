// Arithmetic of the vertical slider and the level bar: value <-> pixel, without any platform call.
#pragma once

#include <cstdint>
#include <optional>

namespace skin {

// A value below min or above max stands for min (how SetPos treats out-of-range values).
int OutOfRangeToMin(int value, int min, int max);
// Ordinary clamping into [min, max] (how reported values are limited).
int ClampInto(int value, int min, int max);

// Vertical slider: the maximum is at the top. top and bottom bound the travel in slider
// coordinates; the thumb is thumbHeight pixels tall.
struct SliderTravel {
  int top = 0;
  int bottom = 0;
  int thumbHeight = 0;
};

// Top edge of the thumb for a value (clamped with OutOfRangeToMin first).
int ThumbTopForValue(int value, int min, int max, const SliderTravel& travel);
// Top edge after a drag by dy pixels: the whole thumb stays inside the travel.
int DraggedThumbTop(int top, int dy, const SliderTravel& travel);
// The value a thumb released with its top at thumbTop reports.
int ValueForThumbTop(int thumbTop, int min, int max, const SliderTravel& travel);
// The value a click at y (track coordinates) reports: the whole track height counts.
int ValueForTrackClick(int y, int min, int max, int trackHeight);

// Level bar: fill grows from the left edge.
int LevelFillWidth(int value, int min, int max, int width);
// The value at x pixels from the bar's left edge (negative x counts as the edge).
int LevelValueAt(int x, int min, int max, int width);

// The value a slider takes for a key (its virtual-key code): the arrows move by one (Up and
// Right towards the maximum, at the top of a vertical slider), Page Up and Page Down by a tenth
// of the range (at least one), Home and End to the minimum and the maximum. Nothing for a key
// that does not move a slider.
std::optional<int> SteppedValue(std::uint32_t key, int value, int min, int max);

}  // namespace skin

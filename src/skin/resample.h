// Resampling of 32-bit pixels: how the program scales the pictures of a skin that has no set
// drawn at the window's scale. Faces are filtered (each target pixel the area average of the
// source pixels it covers, bilinear where it enlarges), masks keep their hard edges.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;  // rows top to bottom, 0x00RRGGBB or BGRA as the source has it
};

// A smooth copy of source at width by height.
Pixels ResampleSmooth(const Pixels& source, int width, int height);
// A copy of source at width by height taking each target pixel's nearest source pixel.
Pixels ResampleNearest(const Pixels& source, int width, int height);

}  // namespace skin

// A plausibility check of BMP files before they reach the picture decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

// False for data that starts like a BMP file ("BM") but is shorter than its headers say
// (a truncated file): the decoder would make a picture of it from whatever follows. Data of
// any other format is left to the decoder and gives true.
bool BmpLooksComplete(const std::uint8_t* data, std::size_t size);

}  // namespace skin

// Fuzz target: the BMP check reads only inside the data, whatever its headers claim.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/bmp_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that the sanitizer sees any read past the end.
  std::vector<std::uint8_t> copy(data, data + size);
  skin::BmpLooksComplete(copy.data(), copy.size());
  return 0;
}

// Key-colour bounds of the region builder.
#include "skin/mask_runs.h"

namespace skin {

KeyBounds MakeKeyBounds(std::uint32_t key, std::uint32_t tolerance) {
  KeyBounds b;
  for (int c = 0; c < 3; ++c) {
    const unsigned low = (key >> (8 * c)) & 0xFF;
    const unsigned high = low + ((tolerance >> (8 * c)) & 0xFF);
    b.low[c] = static_cast<std::uint8_t>(low);
    b.high[c] = static_cast<std::uint8_t>(high > 255 ? 255 : high);
  }
  return b;
}

}  // namespace skin

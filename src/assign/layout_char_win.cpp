// Asking the keyboard layout which character a virtual key types.
#include "assign/layout_char_win.h"

#include <windows.h>

namespace assign {

char LayoutChar(std::uint32_t virtualKey) {
  const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  const BYTE noModifiers[256] = {};
  WORD typed[2] = {};
  const int count = ToAscii(virtualKey, scanCode, noModifiers, typed, 0);
  if (count < 0) {
    // A dead key stays pending in the thread's keyboard state and would change the next key the
    // user types; translating it once more consumes it.
    WORD discard[2] = {};
    ToAscii(virtualKey, scanCode, noModifiers, discard, 0);
  }
  return count == 0 ? '\0' : static_cast<char>(typed[0] & 0xFF);
}

}  // namespace assign

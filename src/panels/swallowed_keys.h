// The keys the pointer panels and dialogs swallow: Esc and Enter never end them.
#pragma once

#include <windows.h>

namespace panels {

// True for an Esc or Enter key-down; a window's pre-translation drops it, so that only the
// window's own buttons end it.
inline bool IsSwallowedKey(const MSG& msg) {
  return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
}

}  // namespace panels

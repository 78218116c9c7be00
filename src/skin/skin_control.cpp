// Skin control windows: the plain class and the common controls.
#include "skin/skin_control.h"

#include <commctrl.h>

namespace skin {
namespace {
constexpr char kPlainClass[] = "PwSkinControl";
}  // namespace

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

bool CreatePlainControl(win::Window& control, DWORD style, const RECT& rect, HWND parent, int id) {
  return control.CreateOwn(kPlainClass, 0, 0, "", style, rect, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool CreateSystemControl(win::Window& control, const char* className, DWORD style,
                         const RECT& rect, HWND parent, int id) {
  EnsureCommonControls();
  return control.CreateSystem(className, style, rect, parent, id);
}

}  // namespace skin

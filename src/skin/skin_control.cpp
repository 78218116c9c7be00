// Skin control windows: the plain class and the common controls.
#include "skin/skin_control.h"

#include "skin/skin_scale.h"
#include "win32/dpi.h"

#include <commctrl.h>

#include "win32/lazy_function.h"

namespace skin {

int PxFor(HWND window, int length) {
  return ScaleLength(length, win::DpiPercent(win::WindowDpi(window)), 100);
}
namespace {
constexpr char kPlainClass[] = "PwSkinControl";
}  // namespace

void EnsureCommonControls() {
  static const bool done = [] {
    static win::LazyFunction<decltype(InitCommonControlsEx)> init("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    auto* function = init.Get();
    return function && function(&classes) != FALSE;
  }();
  (void)done;
}

bool CreatePlainControl(win::Window& control, DWORD style, const RECT& rect, HWND parent, int id) {
  return control.CreateOwn(kPlainClass, 0, 0, "", style, rect, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

}  // namespace skin

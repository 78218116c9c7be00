// Keyboard focus among skin controls: the reading order of their rectangles and the keys that
// act on the one focused.
#include "skin/keyboard_focus.h"

#include <optional>
#include <vector>

#include "skin/focus_mark.h"
#include "skin/reading_order.h"
#include "skin/skin_button.h"
#include "win32/window.h"

namespace skin {
namespace {

bool Shifted() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

std::vector<FocusStop> StopsOf(HWND window, std::span<const HWND> controls) {
  std::vector<FocusStop> stops;
  for (HWND control : controls) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    stops.push_back({SkinRect{r.left, r.top, r.right, r.bottom},
                     IsWindowVisible(control) && IsWindowEnabled(control)});
  }
  return stops;
}

std::optional<std::size_t> PlaceOf(std::span<const HWND> controls, HWND control) {
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i] == control) return i;
  return std::nullopt;
}

bool MoveFocus(HWND window, std::span<const HWND> controls, bool backward) {
  const std::vector<FocusStop> stops = StopsOf(window, controls);
  const auto next = NextStop(stops, PlaceOf(controls, GetFocus()), backward);
  if (!next) return false;
  SetFocus(controls[*next]);
  ShowFocusMarks(window);
  return true;
}

// A skin button is pressed as a click would press it, so a toggle button turns too; posted,
// so that a window it opens does not run inside this key's handling.
bool Press(HWND control) {
  if (!win::WindowFrom<SkinButton>(control) || !IsWindowEnabled(control)) return false;
  PostMessageA(control, BM_CLICK, 0, 0);
  return true;
}

bool Step(HWND control, UINT key) {
  auto* stepped = dynamic_cast<SteppedControl*>(win::WindowObject::FromHandle(control));
  return stepped && stepped->OnStepKey(key);
}

}  // namespace

bool TakesKeyboardFocus(HWND control) {
  return win::WindowFrom<SkinButton>(control) || dynamic_cast<SteppedControl*>(win::WindowObject::FromHandle(control)) ||
         (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
}

bool HandleFocusKey(HWND window, std::span<const HWND> controls, const MSG& msg, FocusKeys keys) {
  if (msg.message != WM_KEYDOWN) return false;
  const auto key = static_cast<UINT>(msg.wParam);
  HWND focus = GetFocus();
  const bool ours = PlaceOf(controls, focus).has_value();
  if (key == VK_TAB) return MoveFocus(window, controls, Shifted());
  if (!ours) return false;
  if (key == VK_SPACE || (key == VK_RETURN && keys.enterPresses)) return Press(focus);
  return Step(focus, key);
}

}  // namespace skin

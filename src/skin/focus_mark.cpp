// The focus mark: the system's keyboard-cue state, and the outline drawn inside a control.
#include "skin/focus_mark.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "win32/dpi.h"
#include "win32/raii.h"

namespace skin {
namespace {

// The skin's caption colour, which reads on its dark faces; the thin dark line beneath keeps
// the mark visible where a face is light.
constexpr COLORREF kMarkColour = 0xE0E0E0;
constexpr COLORREF kShadowColour = 0x202020;
constexpr int kInset = 2;      // at 96 DPI
constexpr int kThickness = 1;  // at 96 DPI
constexpr int kCorner = 6;     // at 96 DPI

void Frame(HDC dc, const RECT& r, int corner, int thickness, COLORREF colour) {
  if (r.right - r.left <= 2 * thickness || r.bottom - r.top <= 2 * thickness) return;
  win::Region outline(CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, corner, corner));
  win::Brush brush(CreateSolidBrush(colour));
  if (outline && brush) FrameRgn(dc, outline.Get(), brush.Get(), thickness, thickness);
}

// Under Wine 8 a window given UISF_HIDEFOCUS still drew the mark before any key was pressed, so
// the windows that show marks are kept here; the system's state is still set for its own
// controls.
std::mutex g_shownMutex;
std::set<HWND> g_shown;  // top-level windows in which the keyboard moved the focus

}  // namespace

bool FocusMarksHidden(HWND control) {
  HWND window = GetAncestor(control, GA_ROOT);
  const std::lock_guard lock(g_shownMutex);
  return g_shown.count(window ? window : control) == 0;
}

void ShowFocusMarks(HWND window) {
  if (!FocusMarksHidden(window)) return;
  {
    const std::lock_guard lock(g_shownMutex);
    g_shown.insert(window);
  }
  SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (HWND focus = GetFocus(); focus && (focus == window || IsChild(window, focus)))
    InvalidateRect(focus, nullptr, FALSE);
}

void HideFocusMarks(HWND window) {
  {
    const std::lock_guard lock(g_shownMutex);
    g_shown.erase(window);
  }
  SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

void DrawFocusMark(HWND control, HDC dc, const RECT& where, bool focused) {
  if (!focused || FocusMarksHidden(control)) return;
  const UINT dpi = win::WindowDpi(control);
  const int inset = win::ScaleToDpi(kInset, dpi);
  const int thickness = (std::max)(1, win::ScaleToDpi(kThickness, dpi));
  const int corner = win::ScaleToDpi(kCorner, dpi);
  RECT mark{where.left + inset, where.top + inset, where.right - inset, where.bottom - inset};
  Frame(dc, mark, corner, thickness, kMarkColour);
  RECT shadow{mark.left + thickness, mark.top + thickness, mark.right - thickness, mark.bottom - thickness};
  Frame(dc, shadow, corner, thickness, kShadowColour);
}

}  // namespace skin

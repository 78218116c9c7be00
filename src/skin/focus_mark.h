// The keyboard focus mark of skin controls: a thin rounded outline in the skin's caption colour,
// shown only once the keyboard has been used in the window, as Windows hides focus marks.
#pragma once

#include <windows.h>

namespace skin {

// Whether control's top-level window hides focus marks now.
bool FocusMarksHidden(HWND control);
// From now on window and its controls show focus marks: the keyboard moved the focus.
void ShowFocusMarks(HWND window);
// A new window hides them until the keyboard is used in it; a window going forgets it was shown.
void HideFocusMarks(HWND window);

// Draws the mark inside where when focused and marks are not hidden in control's window; its
// thickness and inset follow the window's DPI.
void DrawFocusMark(HWND control, HDC dc, const RECT& where, bool focused);

}  // namespace skin

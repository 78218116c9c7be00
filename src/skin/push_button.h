// PushButton: an owner-drawn push button of our own window class. From outside it is the
// system's owner-drawn BUTTON: the parent gets WM_DRAWITEM to draw it and WM_COMMAND with
// BN_CLICKED and BN_DOUBLECLICKED; it answers BM_CLICK, BM_GETSTATE and BM_SETSTATE, presses
// with the left button or the space bar and takes the focus on a click. Under a manifest that
// asks for the common controls, every BUTTON is theirs, and the first one loads them: a skin
// draws its buttons itself and has no use for either.
#pragma once

#include <windows.h>

#include "win32/window.h"

namespace skin {

// The class name of every skin push button.
inline constexpr char kPushButtonClass[] = "PwSkinButton";

class PushButton : public win::Window {
 public:
  // A child push button in rect (parent client pixels), visible, with identifier id.
  bool Create(HWND parent, const RECT& rect, int id = 0);
  bool Pushed() const { return pushed_; }

 protected:
  // What the system's button does with a message that the map chain left alone.
  LRESULT CallDefault(win::Message& m) override;

 private:
  void Press(bool byMouse);
  void Release(bool click);
  void SetPushed(bool pushed);
  void Notify(WORD code);
  void Paint();
  void DrawInto(HDC dc);
  UINT ItemState() const;

  bool pushed_ = false;  // drawn pressed
  bool held_ = false;    // the left button or the space bar went down on the button
};

}  // namespace skin

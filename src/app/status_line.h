// StatusLine: the main window's line in its footer that says for a few seconds what the last
// save, export or import did. A child window, so that its text is its window text and a
// screen reader reads it as static text.
#pragma once

#include <windows.h>

#include <string>

#include "skin/skin_accessible.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace app {

class StatusLine : public win::Window, public skin::AccessibleSource {
 public:
  // A hidden child in rect; face is the parent's face picture (borrowed, the parent keeps it),
  // drawn beneath the text from rect's corner.
  bool Create(HWND parent, const RECT& rect, HBITMAP face);
  // Shows text (UTF-8) and hides it after a few seconds; the window text keeps the last line
  // said until Clear().
  void Show(const std::string& text);
  // Hides the line at once and forgets its text: what it said no longer holds.
  void Clear();
  skin::AccessibleFacts Describe() const override;

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void OnHideTimer();
  void OnDestroy();
  LRESULT OnGetObject(DWORD flags, LONG objectId);

  win::Borrowed<HBITMAP> face_;
  POINT origin_{};          // where the line lies on the face
  win::Font font_;
};

}  // namespace app

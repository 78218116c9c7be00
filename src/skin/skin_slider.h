// SkinSlider: a vertical slider track cut from the window's face, with one SliderThumb.
#pragma once

#include <windows.h>

#include <string>

#include "skin/keyboard_focus.h"
#include "skin/skin_accessible.h"
#include "skin/slider_thumb.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace skin {

class SkinSlider : public win::Window, public AccessibleSource, public SteppedControl {
 public:
  // Fails (and makes no window) when the thumb picture cannot be loaded.
  bool Create(const std::string& thumbFile, const RECT& track, HWND parent, int id,
              const SkinScale& scale = {});
  // The track's face: the part of the window's Main picture under rect.
  void SetFace(const RECT& rect, HBITMAP main);
  void SetRange(int min, int max);
  void SetPos(int value);
  SliderThumb& Thumb() { return thumb_; }
  void SetName(std::string name) { name_ = std::move(name); }
  AccessibleFacts Describe() const override;
  // Moves the thumb and reports the value as a drag would.
  bool OnStepKey(UINT key) override;

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void OnTrackClick(POINT at, UINT keys);
  void OnThumbValue(int value, int id);
  void OnDestroy();
  void OnFocusChange();
  LRESULT OnGetObject(DWORD flags, LONG objectId);

  SliderThumb thumb_;
  win::Bitmap face_;
  int id_ = 0;
  std::string name_;
  int min_ = 0, max_ = 10;
};

}  // namespace skin

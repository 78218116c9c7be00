// SkinSlider: a vertical slider track cut from the window's face, with one SliderThumb.
#pragma once

#include <windows.h>

#include <string>

#include "skin/control_window.h"
#include "skin/slider_thumb.h"
#include "win32/raii.h"

namespace skin {

class SkinSlider : public ControlWindow {
 public:
  // Fails (and makes no window) when the thumb picture cannot be loaded.
  bool Create(const std::string& thumbFile, const RECT& track, HWND parent, int id);
  // The track's face: the part of the window's Main picture under rect.
  void SetFace(const RECT& rect, const win::Bitmap& main);
  void SetRange(int min, int max);
  void SetPos(int value);
  int Identifier() const { return id_; }
  SliderThumb& Thumb() { return thumb_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyWindow() override;

 private:
  LRESULT OnPaint();
  LRESULT OnTrackClick(LPARAM lParam);

  SliderThumb thumb_;
  win::Bitmap face_;
  int id_ = 0;
  int min_ = 0, max_ = 10;
};

}  // namespace skin

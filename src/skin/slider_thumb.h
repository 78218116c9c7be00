// SliderThumb: the draggable, optionally shaped knob of a SkinSlider.
#pragma once

#include <windows.h>

#include <string>

#include "skin/skin_scale.h"
#include "skin/slider_math.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace skin {

class SliderThumb : public win::Window {
 public:
  // A thumb inside slider, whose client area is the travel (x 0, top 0, its width and height).
  bool Create(const std::string& pictureFile, HWND slider, int id, bool shaped,
              const SkinScale& scale = {});
  void SetRange(int min, int max);
  // Moves the thumb to the place of value (out-of-range values mean min).
  void SetValue(int value);
  int Value() const { return value_; }
  int Top() const;
  SIZE PictureSize() const { return size_; }

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void OnLButtonDown(POINT at, UINT keys);
  void OnMouseMove(POINT at, UINT keys);
  void OnLButtonUp();
  void OnCaptureChanged();
  void OnDestroy();
  void ApplyShape();
  SliderTravel Travel() const;
  void MoveTo(int top);

  win::Bitmap picture_;
  SIZE size_{0, 0};
  HWND slider_ = nullptr;
  int id_ = 0;
  int min_ = 0, max_ = 10, value_ = 0;
  bool dragging_ = false;
  POINT anchor_{0, 0};  // where in the thumb the drag took hold
};

}  // namespace skin

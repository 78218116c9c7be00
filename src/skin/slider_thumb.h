// SliderThumb: the draggable, optionally shaped knob of a SkinSlider.
#pragma once

#include <windows.h>

#include <string>

#include "skin/control_window.h"
#include "skin/slider_math.h"
#include "win32/raii.h"

namespace skin {

class SliderThumb : public ControlWindow {
 public:
  // A thumb inside slider, whose client area is the travel (x 0, top 0, its width and height).
  bool Create(const std::string& pictureFile, HWND slider, int id, bool shaped);
  void SetRange(int min, int max);
  // Moves the thumb to the place of value (out-of-range values mean min).
  void SetValue(int value);
  int Value() const { return value_; }
  int Top() const;
  SIZE PictureSize() const { return size_; }
  bool Dragging() const { return dragging_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyWindow() override;

 private:
  LRESULT OnPaint();
  LRESULT OnLButtonDown(LPARAM lParam);
  LRESULT OnMouseMove(LPARAM lParam);
  LRESULT OnLButtonUp();
  void ApplyShape();
  SliderTravel Travel() const;
  void MoveTo(int top);

  win::Bitmap picture_;
  SIZE size_{0, 0};
  HWND slider_ = nullptr;
  int id_ = 0;
  int min_ = 0, max_ = 10, value_ = 0;
  bool draggable_ = true;
  bool dragging_ = false;
  POINT anchor_{0, 0};
};

}  // namespace skin

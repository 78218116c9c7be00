// LevelBar: a horizontal fill slider whose background and fill are cut from skin pictures.
#pragma once

#include <windows.h>

#include "skin/control_window.h"
#include "win32/raii.h"

namespace skin {

class LevelBar : public ControlWindow {
 public:
  bool Create(const RECT& rect, HWND parent, int id);
  void SetFaces(const RECT& rect, const win::Bitmap& background, const win::Bitmap& fill);
  void SetRange(int min, int max);
  // A value outside the range sets the minimum; the bar repaints at once.
  void SetPos(int value);
  int Value() const { return value_; }
  int Identifier() const { return id_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyWindow() override;

 private:
  LRESULT OnPaint();
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  int ValueAt(LPARAM lParam) const;
  void Repaint();

  win::Bitmap background_;
  win::Bitmap fill_;
  int id_ = 0;
  int min_ = 0, max_ = 10, value_ = 0;
  bool draggable_ = true;
  bool dragging_ = false;
  POINT anchor_{0, 0};
};

}  // namespace skin

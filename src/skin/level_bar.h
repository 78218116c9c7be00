// LevelBar: a horizontal fill slider whose background and fill are cut from skin pictures.
#pragma once

#include <windows.h>

#include <string>

#include "skin/keyboard_focus.h"
#include "skin/skin_accessible.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace skin {

class LevelBar : public win::Window, public AccessibleSource, public SteppedControl {
 public:
  bool Create(const RECT& rect, HWND parent, int id);
  void SetFaces(const RECT& rect, HBITMAP background, HBITMAP fill);
  void SetRange(int min, int max);
  // A value outside the range sets the minimum; the bar repaints at once.
  void SetPos(int value);
  int Value() const { return value_; }
  void SetName(std::string name) { name_ = std::move(name); }
  AccessibleFacts Describe() const override;
  // Moves the fill and reports the value as a drag would.
  bool OnStepKey(UINT key) override;

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void OnLButtonDown(POINT at, UINT keys);
  void OnMouseMove(POINT at, UINT keys);
  void OnLButtonUp(POINT at, UINT keys);
  void OnCaptureChanged();
  void OnKillFocus();
  void OnDestroy();
  void OnSetFocus();
  LRESULT OnGetObject(DWORD flags, LONG objectId);
  int ValueAt(POINT at) const;
  void Repaint();

  win::Bitmap background_;
  win::Bitmap fill_;
  int id_ = 0;
  std::string name_;
  int min_ = 0, max_ = 10, value_ = 0;
  bool dragging_ = false;
};

}  // namespace skin

// DoubleClickTestButton: the picture a user double-clicks to try the double-click speed.
#pragma once

#include <windows.h>

#include <string>

#include "skin/control_window.h"
#include "win32/raii.h"

namespace skin {

class DoubleClickTestButton : public ControlWindow {
 public:
  // An owner-drawn child button showing bitmap 429 of the language library.
  bool Create(HWND parent, const RECT& rect, int id = 0);
  // Names relative to the program folder, as the owning window gives them.
  void SetAnimationFile(std::string name) { animationFile_ = std::move(name); }
  void SetSoundFile(std::string name) { soundFile_ = std::move(name); }
  bool Playing() const { return playing_; }
  HWND Animation() const { return animation_; }
  bool HasPicture() const { return static_cast<bool>(picture_); }
  // How many double clicks replayed the animation and the sound.
  int Replays() const { return replays_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyWindow() override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  void OnDoubleClicked();
  void OpenAnimation();

  win::Bitmap picture_;
  HWND animation_ = nullptr;  // child of the button: goes with it
  std::string animationFile_;
  std::string soundFile_;  // kept for the owner; the sound comes from the language library
  bool playing_ = false;
  int replays_ = 0;
};

}  // namespace skin

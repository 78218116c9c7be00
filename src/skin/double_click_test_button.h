// DoubleClickTestButton: the picture a user double-clicks to try the double-click speed.
#pragma once

#include <windows.h>

#include <string>

#include "skin/skin_accessible.h"
#include "win32/language_library.h"
#include "win32/raii.h"
#include "skin/push_button.h"

namespace skin {

class DoubleClickTestButton : public PushButton, public AccessibleSource {
 public:
  // An owner-drawn child button showing bitmap 429 of the language library, which also gives
  // the sound; the library is lent by the owning window and must outlive the button.
  bool Create(HWND parent, const RECT& rect, const win::LanguageLibrary* language, int id = 0);
  // Full paths, as the owning window makes them from the program folder.
  void SetAnimationFile(std::string path) { animationFile_ = std::move(path); }
  void SetSoundFile(std::string path) { soundFile_ = std::move(path); }
  bool Playing() const { return playing_; }
  HWND Animation() const { return animation_; }
  bool HasPicture() const { return static_cast<bool>(picture_); }
  // How many double clicks replayed the animation and the sound.
  int Replays() const { return replays_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // A picture to double-click: a graphic, not a button that Space or Enter would press.
  AccessibleFacts Describe() const override { return {name_, AccessibleRole::Graphic}; }

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCommand(UINT notification);
  void OnDestroy();
  LRESULT OnGetObject(DWORD flags, LONG objectId);
  void OnDoubleClicked();
  void OpenAnimation();

  const win::LanguageLibrary* language_ = nullptr;
  win::Bitmap picture_;
  HWND animation_ = nullptr;  // child of the button: goes with it
  std::string animationFile_;
  std::string soundFile_;  // kept for the owner; the sound comes from the language library
  bool playing_ = false;
  int replays_ = 0;
  std::string name_;
};

}  // namespace skin

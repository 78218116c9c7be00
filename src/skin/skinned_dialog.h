// SkinnedDialog: the borderless dialog shaped by its skin's mask and painted from its Main picture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "skin/skin_button.h"
#include "skin/skin_file.h"
#include "win32/dialog.h"
#include "win32/raii.h"

namespace skin {

// The [Screen] pictures a window reads besides Main.
struct ScreenKeys {
  bool mask = true;
  bool down = true;
  bool over = true;
  bool disabled = true;
  bool main2 = false;
};

// The whole-window pictures the controls cut their faces from; they live only through the
// create step.
struct ScreenPictures {
  win::Bitmap main, over, down, disabled;
  FaceSources Faces() const { return FaceSources{&main, &over, &down, &disabled}; }
};

class SkinnedDialog : public win::Dialog {
 public:
  // skinPath is relative to the program folder ("skins\\skin_menu.ini"); a draggable window
  // moves when its face is dragged.
  SkinnedDialog(UINT templateId, HWND parent, std::string skinPath, bool draggable);

  const std::string& SkinPath() const { return skinPath_; }
  const win::Bitmap& Face() const { return face_; }
  const win::Bitmap& SecondFace() const { return face2_; }
  const win::Bitmap& Mask() const { return mask_; }
  // The region given to the window (the system owns it), or null for a rectangular window.
  HRGN AppliedRegion() const { return region_; }

  // Test seam: runs for every skinned dialog right after its create step, before it is
  // shown, so that a test can post its answer to a modal dialog.
  using OpenedHook = std::function<void(SkinnedDialog&)>;
  static void SetOpenedHook(OpenedHook hook);

 protected:
  // The create step: skin, size, controls, region. Derived windows extend it through
  // Keys() and CreateControls(), not by replacing it.
  LRESULT OnCreate() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& msg) override;

  virtual ScreenKeys Keys() const { return ScreenKeys{}; }
  // Creates the window's controls; pictures are the temporary whole-window faces.
  virtual void CreateControls(const SkinFile& skin, const ScreenPictures& pictures) {}
  // Draws the client area; the default copies the face.
  virtual void Paint(HDC dc, const RECT& client);
  // Copies the face (or a plain surface when there is none) to dc.
  void DrawFace(HDC dc, const RECT& client) const;

  // One BUTTONPOS button: created in its item's rectangle, faces cut there, latched state
  // and tooltip from the item.
  bool CreateButton(SkinButton& button, const SkinFile& skin, int index, const FaceSources& faces);

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  void LoadPictures(const SkinFile& skin, ScreenPictures& pictures);
  void ApplyRegion();

  std::string skinPath_;
  bool draggable_;
  win::Bitmap face_;
  win::Bitmap face2_;
  win::Bitmap mask_;
  HRGN region_ = nullptr;  // for reference only: SetWindowRgn took it
};

}  // namespace skin

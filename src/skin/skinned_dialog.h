// SkinnedDialog: the borderless dialog shaped by its skin's mask and painted from its Main picture.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "skin/skin_button.h"
#include "skin/skin_file.h"
#include "skin/skin_picture.h"
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

// The whole-window pictures the controls take their faces from, shared with the picture cache.
struct ScreenPictures {
  Picture main, down;
  FacePicture over, disabled;  // decoded when first drawn
  FaceSources Faces() const { return FaceSources{main, over, down, disabled}; }
};

// What a skinned window is, stated once where it is made; everything is off by default.
struct SkinnedOptions {
  bool draggable = false;  // a press on the face drags the window
  bool centred = false;    // opens centred over its parent, or the work area if that is hidden
  bool onlyButtons = false;  // Esc and Enter never end it: only its own buttons do
  bool buffered = false;     // the face and what is drawn over it are composed off screen
};

class SkinnedDialog : public win::Dialog {
 public:
  // programFolder ends in a backslash; skinPath is relative to it ("skins\\skin_menu.ini").
  SkinnedDialog(UINT templateId, HWND parent, std::string programFolder, std::string skinPath,
                SkinnedOptions options);

  const std::string& ProgramFolder() const { return programFolder_; }
  // ProgramFolder() + relative.
  std::string ProgramPath(const std::string& relative) const { return programFolder_ + relative; }
  const std::string& SkinPath() const { return skinPath_; }
  // The display scale in percent the window is (or, not made yet, will be) drawn at: its
  // monitor's, or before it exists its parent's.
  int ScalePercent() const;
  // How the skin's lengths and the program's own 100 percent lengths become the window's
  // pixels; set when the window is made.
  const SkinScale& Scale() const { return scale_; }
  // A length the program fixes at 100 percent, in the window's pixels.
  int Px(int length) const { return scale_.FromBase(length); }
  RECT Px(const RECT& r) const { return RECT{Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }
  // A picture the program names by a fixed literal, at the window's scale.
  FixedPicture FindFixed(const std::string& relative) const {
    return FindFixedPicture(programFolder_, relative, scale_.percent);
  }
  // The window's pictures (shared, read-only), or null where the skin has none.
  HBITMAP Face() const { return face_.get(); }
  HBITMAP SecondFace() const { return face2_.get(); }
  // The region given to the window (the system owns it), or null for a rectangular window.
  HRGN AppliedRegion() const { return region_; }
  // The control made for a skin index (a BUTTONPOS entry), or null.
  HWND Control(int index) const;

 protected:
  // The create step: skin, size, controls, region. Derived windows extend it through
  // ScreenPictureKeys() and CreateControls(), not by replacing it.
  LRESULT OnCreate() override;
  bool ProcessMessage(win::Message& m) override;
  bool PreTranslateMessage(MSG& msg) override;
  // Commands of skin controls (identifier 0) arrive under their skin index.
  int ControlIndex(HWND control) const override;

  virtual ScreenKeys ScreenPictureKeys() const { return ScreenKeys{}; }
  // Creates the window's controls; pictures are the temporary whole-window faces. It runs again,
  // on the same objects, when the window moves to a monitor of another scale.
  virtual void CreateControls(const SkinFile& skin, const ScreenPictures& pictures) {}
  // After the window was made again at another scale: put its state back on the new controls.
  virtual void OnRebuilt() {}
  // Draws the client area (into the off-screen canvas for a buffered window); the default
  // copies the face.
  virtual void Paint(HDC dc, const RECT& client);
  // Copies the face (or a plain surface when there is none) to dc.
  void DrawFace(HDC dc, const RECT& client) const;

  // One BUTTONPOS button: created in its item's rectangle, faces cut there (or at cut), latched
  // state and tooltip from the item, entered in the control table under its index.
  bool CreateButton(SkinButton& button, const SkinFile& skin, int index, const FaceSources& faces,
                    const RECT* cut = nullptr);
  // Enters a control the window made itself (a slider, a bar) under its skin index.
  void AddControl(HWND control, int index);

 private:
  void OnDestroy();
  void OnLButtonDown(POINT at, UINT keys);
  void PaintWindow(HDC dc, const RECT& client);
  void PaintWaitingControls(HDC dc);
  void Build();
  void OnDpiChanged(UINT dpi, const RECT* suggested);
  void DestroyOwnControls();
  void LoadPictures(const SkinFile& skin, ScreenPictures& pictures);
  void ApplyRegion();
  int ParentScalePercent() const;
  bool OnFocusKey(const MSG& msg);

  std::string programFolder_;
  std::string skinPath_;
  SkinnedOptions options_;
  SkinScale scale_;
  int rebuildPercent_ = 0;  // the scale the window was last made again at, 0 before
  Picture face_;
  Picture face2_;
  Picture mask_;  // from the pictures' load until the region is made
  HRGN region_ = nullptr;  // for reference only: SetWindowRgn took it
  std::vector<std::pair<HWND, int>> controls_;  // control window -> skin index
};

}  // namespace skin

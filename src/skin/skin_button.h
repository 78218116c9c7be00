// SkinButton: an owner-drawn push button whose four faces are parts of the window's skin pictures.
#pragma once

#include <windows.h>

#include <string>

#include "skin/skin_accessible.h"
#include "skin/skin_picture.h"
#include "skin/push_button.h"

namespace skin {

// The whole-window pictures a window's buttons take their faces from; any may be null.
struct FaceSources {
  FacePicture main;
  FacePicture over;
  FacePicture down;
  FacePicture disabled;
};

enum class ButtonFace { Main, Over, Down, Disabled };

class SkinButton : public PushButton, public AccessibleSource {
 public:
  // Each face becomes the part of its picture under rect; the button holds the pictures and
  // draws from them. A null picture leaves its face as it was.
  void SetFaces(const RECT& rect, const FaceSources& sources);
  void SetLatched(bool value);
  bool Latched() const { return latched_; }
  void SetToggleMode(bool on) { toggle_ = on; }
  // Latched, the button shows a choice made (a profile, a mode): a screen reader hears a check
  // box and whether it is checked. A toggle button is one anyway.
  void SetChoice(bool on) { choice_ = on; }
  void SetCaption(std::string text) { caption_ = std::move(text); }
  void SetTooltip(const char* text, bool activate);
  // The skin item's label: what a screen reader says when the button has no caption or tooltip.
  void SetLabel(std::string text) { label_ = std::move(text); }
  // A check box while it latches on click, a push button otherwise.
  AccessibleFacts Describe() const override;
  bool Hovered() const { return hover_; }
  // The tooltip window, made on first use; null while the button has no tooltip text.
  HWND Tooltip();
  // The face a draw with these item-state flags would choose.
  ButtonFace ChooseFace(UINT itemState) const;
  // Draws what the button shows now (its face for its state, and its caption) into dc at
  // where: the owner paints its buttons along with itself this way.
  void DrawNow(HDC dc, const RECT& where);

  // Hands a mouse message on its way to the button to the tooltip.
  void RelayToTooltip(const MSG& msg);

 protected:
  bool ProcessMessage(win::Message& m) override;
  bool PreTranslateMessage(MSG& msg) override;
  // What a button draws over its face in every state (a state light): nothing here.
  virtual void DrawOver(HDC /*dc*/, const RECT& /*where*/) {}

 private:
  LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMouseMove(POINT at, UINT keys);
  void OnCaptureChanged();
  void OnKillFocus();
  void OnCancelMode();
  void OnLButtonDown(POINT at, UINT keys);
  void OnLButtonUp(POINT at, UINT keys);
  void OnDestroy();
  void DrawFace(HDC dc, const RECT& where, UINT itemState);
  // A face: the part of a shared picture under rect.
  struct Face {
    FacePicture picture;
    RECT rect{};
  };
  void DrawCaption(HDC target, const RECT& where, HBITMAP picture, const RECT& rect);
  void NotifyClicked();
  LRESULT OnGetObject(DWORD flags, LONG objectId);

  Face faces_[4];  // indexed by ButtonFace
  bool latched_ = false;
  bool toggle_ = false;
  bool choice_ = false;
  bool hover_ = false;
  std::string caption_;
  HWND tooltip_ = nullptr;  // ours: destroyed with the button
  std::string tipText_;
  std::string label_;
  bool tipActive_ = false;
};

}  // namespace skin

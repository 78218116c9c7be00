// SkinButton: an owner-drawn push button whose four faces are cut from the window's skin pictures.
#pragma once

#include <windows.h>

#include <string>

#include "skin/control_window.h"
#include "win32/raii.h"

namespace skin {

// The whole-window pictures a window's controls cut their faces from; any may be empty.
struct FaceSources {
  const win::Bitmap* main = nullptr;
  const win::Bitmap* over = nullptr;
  const win::Bitmap* down = nullptr;
  const win::Bitmap* disabled = nullptr;
};

enum class ButtonFace { Main, Over, Down, Disabled };

class SkinButton : public ControlWindow {
 public:
  // A child push button in rect (parent client pixels), identifier id, made owner-drawn.
  bool Create(HWND parent, const RECT& rect, int id = 0);
  void SetFaces(const RECT& rect, const FaceSources& sources);
  void SetLatched(bool value);
  bool Latched() const { return latched_; }
  void SetToggleMode(bool on) { toggle_ = on; }
  void SetCaption(std::string text) { caption_ = std::move(text); }
  void SetTooltip(const char* text, bool activate);
  bool Hovered() const { return hover_; }
  HWND Tooltip() const { return tooltip_; }
  // The face a draw with these item-state flags would choose.
  ButtonFace ChooseFace(UINT itemState) const;

  // Hands a message that the owning window pre-translates to the tooltip.
  void RelayToTooltip(const MSG& msg);
  static SkinButton* FromHandle(HWND hwnd);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyWindow() override;

 private:
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  void DrawItem(const DRAWITEMSTRUCT& item);
  void DrawCaption(HDC target, const RECT& where, HDC face);
  void EnsureTooltip();
  void NotifyClicked();

  win::Bitmap faces_[4];  // indexed by ButtonFace
  bool latched_ = false;
  bool toggle_ = false;
  bool hover_ = false;
  std::string caption_;
  HWND tooltip_ = nullptr;  // ours: destroyed with the button
};

}  // namespace skin

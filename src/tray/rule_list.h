// RuleList: the program profiles dialog's list of rules, each program with its profile, drawn by
// us over the skin's well.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tray/program_rules.h"
#include "skin/skin_control.h"
#include "win32/paint.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace tray {

// Sent to the parent as the notification code of a WM_COMMAND when the user selects a row.
constexpr UINT kRuleListSelect = LBN_SELCHANGE;

class RuleList : public win::Window {
 public:
  static constexpr int kRowHeight = 22;  // at 100 percent
  int RowHeight() const { return skin::PxFor(Handle(), kRowHeight); }

  // A visible child at rect (parent client pixels) whose background is cut from `face` there.
  bool Create(HWND parent, const RECT& rect, HBITMAP face);
  void SetRules(const std::vector<ProgramRule>& rules);
  // Selects a row (-1: none) and scrolls it into view; the parent is not told.
  void Select(int index);
  int Selected() const { return selected_; }
  // The row's rectangle in the list's client area as shown now; empty when it is out of view.
  RECT RowRect(int index) const;

 protected:
  bool ProcessMessage(win::Message& m) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void OnLButtonDown(POINT at, UINT keys);
  void OnKeyDown(UINT key, win::KeyInfo info);
  void OnMouseWheel(int delta);
  void OnDestroy();
  void DrawRow(HDC dc, int index, const RECT& row) const;
  void DrawScrollMark(HDC dc, const RECT& client) const;
  int VisibleRows() const;
  void ScrollTo(int top);
  void UserSelects(int index);

  std::vector<ProgramRule> rules_;
  int selected_ = -1;
  int top_ = 0;  // the first row in view
  win::Bitmap background_;
  win::Font font_;
  win::Brush selection_;
  win::PaintBuffer buffer_;
};

}  // namespace tray

// SidePanels: creation, layout, visibility and the slides of the six side panels.
#include "app/side_panels.h"

#include "panels/panel_messages.h"
#include "skin/screen_fit.h"
#include "skin/skin_scale.h"
#include "win32/dpi.h"

namespace app {

// What a panel code does: which panel it hides first, which one slides and how.
struct SidePanels::SlideRow {
  int code;
  Which hideFirst;  // kNone: nothing is hidden first
  Which sliding;
  Which minimumFrom;  // its face width is the minimum width
  PanelSlide::Mode mode;
  PanelSlide::Anchor anchor;
  bool advancedCompanion;  // the advanced panel that shows moves along
};

namespace {

using Mode = PanelSlide::Mode;
using Anchor = PanelSlide::Anchor;

// The open panels' screen rectangle widths decide where the panels further out hang.
int WidthOf(panels::SidePanel& panel) { return panel.FaceSize().cx; }

// A panel not made yet stays where it is made: Create() lays the panels out again.
void MoveTo(panels::SidePanel& panel, const skin::SkinRect& r) {
  if (!panel.Handle()) return;
  SetWindowPos(panel.Handle(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(panel.Handle(), nullptr, TRUE);
}

}  // namespace

SidePanels::SidePanels(HWND mainWindow, const std::string& programFolder,
                       const win::LanguageLibrary* language)
    : mainWindow_(mainWindow),
      sensitivityClosed_(mainWindow, programFolder, panels::kSensitivityStrip),
      sensitivity_(mainWindow, programFolder, language),
      advancedClosed_(mainWindow, programFolder, panels::kAdvancedStrip),
      advanced_(mainWindow, programFolder),
      keyClosed_(mainWindow, programFolder, panels::kKeyStrip),
      keyEditor_(mainWindow, programFolder) {}

bool SidePanels::Create() {
  if (created_) return true;
  created_ = true;
  bool made = true;
  for (Which which : {kKeyClosed, kSensitivityClosed, kSensitivity, kAdvancedClosed, kAdvanced, kKey})
    made = Panel(which).Create() && made;
  if (session_) AttachSettings(*session_);
  Layout();
  ShowOrHide();
  return made;
}

// Each group hangs at its own edge of the main window as long as its widest panel fits in the
// work area there, and at the other edge, mirrored, when it does not; a panel that fits on
// neither side is shifted inside.
void SidePanels::Layout() {
  RECT r{};
  GetWindowRect(mainWindow_, &r);
  const skin::SkinRect main{r.left, r.top, r.right, r.bottom};
  const RECT area = win::WorkAreaOf(mainWindow_);
  const skin::SkinRect work{area.left, area.top, area.right, area.bottom};
  const int scale = win::DpiPercent(win::WindowDpi(mainWindow_));
  const auto px = [scale](int length) { return skin::ScaleLength(length, scale, 100); };
  const int top = main.top + px(35);
  const auto at = [](panels::SidePanel& panel, int x, int y) {
    const SIZE size = panel.FaceSize();
    return skin::SkinRect{x, y, x + size.cx, y + size.cy};
  };
  const auto hang = [&](panels::SidePanel& panel, skin::SkinRect wanted, bool turned) {
    if (turned) wanted = skin::MirroredX(wanted, main);
    MoveTo(panel, skin::FitInWork(wanted, main, work, skin::Turn::Never).rect);
  };
  const skin::SkinRect sensitivity = at(sensitivity_, main.left - WidthOf(sensitivity_), top);
  pointerTurned_ = skin::FitInWork(sensitivity, main, work, skin::Turn::Sideways).mirroredX;
  hang(sensitivityClosed_, at(sensitivityClosed_, main.left - WidthOf(sensitivityClosed_), top), pointerTurned_);
  hang(sensitivity_, sensitivity, pointerTurned_);
  // The advanced panels hang against whichever sensitivity panel the open flag selects.
  const int edge =
      main.left - (sensitivityOpen_ ? WidthOf(sensitivity_) : WidthOf(sensitivityClosed_));
  hang(advancedClosed_, at(advancedClosed_, edge - WidthOf(advancedClosed_), top), pointerTurned_);
  hang(advanced_, at(advanced_, edge - WidthOf(advanced_), top), pointerTurned_);
  // Both key panels end at the same bottom.
  const skin::SkinRect key = at(keyEditor_, main.right, main.top + px(11));
  keyTurned_ = skin::FitInWork(key, main, work, skin::Turn::Sideways).mirroredX;
  hang(keyEditor_, key, keyTurned_);
  hang(keyClosed_, at(keyClosed_, main.right, key.bottom - keyClosed_.FaceSize().cy), keyTurned_);
}

void SidePanels::AttachSettings(settings::SettingsSession& session) {
  session_ = &session;
  if (!created_) return;
  sensitivity_.AttachSettings(session);
  advanced_.AttachSettings(session);
  keyEditor_.AttachSettings(session);
}

void SidePanels::ShowOrHide() {
  for (Which hidden : {kSensitivityClosed, kSensitivity, kAdvancedClosed, kAdvanced})
    ShowWindow(Panel(hidden).Handle(), SW_HIDE);
  ShowWindow(keyEditor_.Handle(), keyOpen_ ? SW_SHOWNA : SW_HIDE);
  ShowWindow(keyClosed_.Handle(), keyOpen_ ? SW_HIDE : SW_SHOWNA);
}

const SidePanels::SlideRow SidePanels::kSlides[] = {
    {panels::kCodeOpenSensitivity, kSensitivityClosed, kSensitivity, kSensitivityClosed, Mode::Open,
     Anchor::RightFixed, true},
    {panels::kCodeCloseSensitivity, kNone, kSensitivity, kSensitivityClosed, Mode::Close,
     Anchor::RightFixed, true},
    {panels::kCodeOpenAdvanced, kAdvancedClosed, kAdvanced, kAdvancedClosed, Mode::Open,
     Anchor::RightFixed, false},
    {panels::kCodeCloseAdvanced, kNone, kAdvanced, kAdvancedClosed, Mode::Close, Anchor::RightFixed,
     false},
    {panels::kCodeOpenKeys, kKeyClosed, kKey, kKeyClosed, Mode::Open, Anchor::LeftFixed, false},
    {panels::kCodeCloseKeys, kNone, kKey, kKeyClosed, Mode::Close, Anchor::LeftFixed, false},
};

panels::SidePanel& SidePanels::Panel(Which which) {
  switch (which) {
    case kSensitivityClosed:
      return sensitivityClosed_;
    case kSensitivity:
      return sensitivity_;
    case kAdvancedClosed:
      return advancedClosed_;
    case kAdvanced:
      return advanced_;
    case kKeyClosed:
      return keyClosed_;
    default:
      return keyEditor_;
  }
}

const SidePanels::SlideRow* SidePanels::FindSlide(int code) {
  for (const SlideRow& row : kSlides)
    if (row.code == code) return &row;
  return nullptr;
}

HWND SidePanels::Companion(const SlideRow& row) {
  if (!row.advancedCompanion) return nullptr;
  return advancedOpen_ ? advanced_.Handle() : advancedClosed_.Handle();
}

bool SidePanels::StartSlide(int code) {
  const SlideRow* row = FindSlide(code);
  if (!row) return false;
  Create();
  if (row->hideFirst != kNone) ShowWindow(Panel(row->hideFirst).Handle(), SW_HIDE);
  // A group turned to the other side of the main window slides the other way.
  const bool turned = row->sliding == kKey ? keyTurned_ : pointerTurned_;
  const Anchor anchor = turned ? PanelSlide::Opposite(row->anchor) : row->anchor;
  slide_.Start(PanelSlide::Request{Panel(row->sliding).Handle(), mainWindow_, code, row->mode,
                                   anchor, WidthOf(Panel(row->minimumFrom)), Companion(*row)});
  return true;
}

bool SidePanels::SlideEnded(int code) {
  struct FlagRow {
    int code;
    bool SidePanels::*flag;
    bool value;
  };
  static constexpr FlagRow kFlags[] = {
      {panels::kCodeOpenSensitivity, &SidePanels::sensitivityOpen_, true},
      {panels::kCodeCloseSensitivity, &SidePanels::sensitivityOpen_, false},
      {panels::kCodeOpenAdvanced, &SidePanels::advancedOpen_, true},
      {panels::kCodeCloseAdvanced, &SidePanels::advancedOpen_, false},
      {panels::kCodeOpenKeys, &SidePanels::keyOpen_, true},
      {panels::kCodeCloseKeys, &SidePanels::keyOpen_, false},
  };
  for (const FlagRow& row : kFlags) {
    if (row.code != code) continue;
    Create();
    this->*row.flag = row.value;
    Layout();
    ShowOrHide();
    return true;
  }
  return false;
}

}  // namespace app

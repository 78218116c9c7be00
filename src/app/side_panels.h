// SidePanels: the main window's six side panels (sensitivity, advanced and key panel, each
// closed and open): their creation, layout beside the main window, which of them show, and
// the slides that open and shut them.
#pragma once

#include <windows.h>

#include <string>

#include "app/panel_slide.h"
#include "assign/macro_editor.h"
#include "panels/collapsed_panel.h"
#include "panels/advanced_panel_expanded.h"
#include "panels/sensitivity_panel_expanded.h"

namespace app {

class SidePanels {
 public:
  // language: the main window's library, lent to the double-click test of the sensitivity panel.
  SidePanels(HWND mainWindow, const std::string& programFolder, const win::LanguageLibrary* language);
  SidePanels(const SidePanels&) = delete;
  SidePanels& operator=(const SidePanels&) = delete;

  // Creates the six panels, laid out, bound to the settings, and shown or hidden; false when
  // one of them could not be made. Does nothing once they exist. The main window calls it
  // once its first paint is done, so that it shows sooner; every use of a panel before then
  // calls it first.
  bool Create();
  // Places every panel that exists beside the main window, each at its own face size, inside
  // the work area of the main window's monitor.
  void Layout();
  // Hides the sensitivity and advanced panels; shows the open or the closed key panel.
  void ShowOrHide();
  // Starts the slide a panel code 30..40 asks for; false for any other code.
  bool StartSlide(int code);
  // A slide has ended: sets or clears the open flag its code names, then lays the panels
  // out and shows or hides them; false (nothing changes) for any other code.
  bool SlideEnded(int code);
  // Binds the panels that edit settings to the session's current record; panels made later
  // are bound as they are made.
  void AttachSettings(settings::SettingsSession& session);

  bool SensitivityOpen() const { return sensitivityOpen_; }
  bool KeyOpen() const { return keyOpen_; }
  PanelSlide& Slide() { return slide_; }

  panels::CollapsedPanel& SensitivityClosed() { return Create(), sensitivityClosed_; }
  panels::SensitivityPanelExpanded& Sensitivity() { return Create(), sensitivity_; }
  panels::AdvancedPanelExpanded& Advanced() { return Create(), advanced_; }
  panels::CollapsedPanel& KeyClosed() { return Create(), keyClosed_; }
  assign::MacroEditor& KeyEditor() { return Create(), keyEditor_; }

 private:
  enum Which {
    kNone,
    kSensitivityClosed,
    kSensitivity,
    kAdvancedClosed,
    kAdvanced,
    kKeyClosed,
    kKey
  };
  struct SlideRow;
  panels::SidePanel& Panel(Which which);
  static const SlideRow kSlides[];
  static const SlideRow* FindSlide(int code);
  HWND Companion(const SlideRow& row);

  HWND mainWindow_;
  panels::CollapsedPanel sensitivityClosed_;
  panels::SensitivityPanelExpanded sensitivity_;
  panels::CollapsedPanel advancedClosed_;
  panels::AdvancedPanelExpanded advanced_;
  panels::CollapsedPanel keyClosed_;
  assign::MacroEditor keyEditor_;
  bool sensitivityOpen_ = false;
  bool advancedOpen_ = false;
  bool keyOpen_ = false;
  bool created_ = false;
  // The group hangs at the other edge of the main window than its usual one.
  bool pointerTurned_ = false;
  bool keyTurned_ = false;
  settings::SettingsSession* session_ = nullptr;  // lent by the main window
  PanelSlide slide_;
};

}  // namespace app

// SensitivityPanelExpanded: the open form of the sensitivity panel: wheel lines, double-click
// speed with its test picture, the sensitivity step, universal scrolling and the display switch.
#pragma once

#include <string>

#include "panels/pointer_panel.h"
#include "skin/double_click_test_button.h"
#include "skin/level_bar.h"
#include "skin/skin_slider.h"
#include "win32/language_library.h"

namespace panels {

class SensitivityPanelExpanded : public PointerPanel {
 public:
  // Identifiers the controls report with.
  static constexpr int kDoubleClickBarId = 1;
  static constexpr int kScrollLinesBarId = 2;
  static constexpr int kSensitivitySliderId = 1;
  // BUTTONPOS entries of the switches.
  static constexpr int kUniversalScrollSwitch = 2;
  static constexpr int kDisplaySwitch = 4;

  // language: the main window's language library, lent for the double-click test's picture
  // and sound; it must outlive the panel (null: the test shows no picture).
  SensitivityPanelExpanded(HWND mainWindow, std::string programFolder,
                           const win::LanguageLibrary* language = nullptr);

  skin::LevelBar& ScrollLinesBar() { return scrollLines_; }
  skin::LevelBar& DoubleClickBar() { return doubleClick_; }
  skin::SkinSlider& SensitivitySlider() { return sensitivity_; }
  skin::DoubleClickTestButton& TestButton() { return test_; }

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  void ShowRecord(const settings::ProfileSet& record) override;
  bool ProcessMessage(win::Message& m) override;

 private:
  void CreateTestButton(const skin::SkinFile& skin);
  void CreateBar(skin::LevelBar& bar, const skin::SkinFile& skin, int entry, int id,
                 const skin::ScreenPictures& pictures);
  void CreateSlider(const skin::SkinFile& skin, const skin::ScreenPictures& pictures);
  LRESULT OnLevelBarValue(int value, int id);

  const win::LanguageLibrary* language_;
  skin::LevelBar scrollLines_;
  skin::LevelBar doubleClick_;
  skin::SkinSlider sensitivity_;
  skin::DoubleClickTestButton test_;
};

}  // namespace panels

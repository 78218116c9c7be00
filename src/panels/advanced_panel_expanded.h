// AdvancedPanelExpanded: the open form of the advanced panel: the X and Y speeds, the pointer
// speed and acceleration level, and the acceleration and X/Y switches.
#pragma once

#include <string>

#include "panels/pointer_panel.h"
#include "skin/skin_slider.h"

namespace panels {

class AdvancedPanelExpanded : public PointerPanel {
 public:
  // Identifiers the sliders report with.
  static constexpr int kSpeedXId = 2;
  static constexpr int kSpeedYId = 3;
  static constexpr int kAccelerationLevelId = 4;
  static constexpr int kPointerSpeedId = 5;
  // BUTTONPOS entries of the switches.
  static constexpr int kAccelerationSwitch = 2;
  static constexpr int kSeparateXYSwitch = 3;

  AdvancedPanelExpanded(HWND mainWindow, std::string programFolder);

  // The slider that reports with identifier id (2..5), or null.
  skin::SkinSlider* Slider(int id);

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  void ShowRecord(const settings::ProfileSet& record) override;

 private:
  static constexpr int kSliderCount = 4;
  skin::SkinSlider sliders_[kSliderCount];  // by SLIDERS entry, "1" first
};

}  // namespace panels

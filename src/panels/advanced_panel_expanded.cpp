// AdvancedPanelExpanded: its sliders and switches, what they show and what they store.
#include "panels/advanced_panel_expanded.h"

#include "skin/resource_ids.h"

namespace panels {
namespace {

using settings::ProfileSet;
using Panel = AdvancedPanelExpanded;

constexpr SwitchRule kSwitches[] = {
    {Panel::kAccelerationSwitch, &ProfileSet::AccelerationEnabled},
    {Panel::kSeparateXYSwitch, &ProfileSet::XYSensitivityEnabled},
};
// The two speeds are clamped; the pointer speed and the level fall back to their middle values.
constexpr SliderRule kSliders[] = {
    {Panel::kSpeedXId, &ProfileSet::SpeedX, 18, 18},
    {Panel::kSpeedYId, &ProfileSet::SpeedY, 18, 18},
    {Panel::kPointerSpeedId, &ProfileSet::MouseSensitivity, 20, 10},
    {Panel::kAccelerationLevelId, &ProfileSet::AccelerationLevel, 16, 8},
};

// One slider by its SLIDERS entry: the identifier it reports with, its thumb, its range and
// the field it shows.
struct SliderLayout {
  int id;
  const char* thumb;
  int min, max;
  RecordField shows;
};
// In SLIDERS order; note that entry "3" reports as 5 and entry "4" as 4.
constexpr SliderLayout kLayout[] = {
    {Panel::kSpeedXId, "skins\\vsliderL.bmp", 0, 18, &ProfileSet::SpeedX},
    {Panel::kSpeedYId, "skins\\vsliderR.bmp", 0, 18, &ProfileSet::SpeedY},
    {Panel::kPointerSpeedId, "skins\\vsliderL.bmp", 1, 20, &ProfileSet::MouseSensitivity},
    {Panel::kAccelerationLevelId, "skins\\vsliderR.bmp", 0, 16, &ProfileSet::AccelerationLevel},
};

}  // namespace

AdvancedPanelExpanded::AdvancedPanelExpanded(HWND mainWindow, std::string programFolder)
    : PointerPanel(IDD_ADVANCED_EXPANDED, mainWindow, std::move(programFolder),
                   "skins\\skin_advance_expand.ini", kCodeCloseAdvanced, kSwitches, kSliders) {}

// A thumb picture that cannot be loaded leaves its slider out; the others still work.
void AdvancedPanelExpanded::CreateControls(const skin::SkinFile& skin,
                                           const skin::ScreenPictures& pictures) {
  CreateButtons(skin, pictures);
  for (int i = 0; i < kSliderCount; ++i) {
    const RECT rect = skin.ReadRect("SLIDERS", i + 1);
    const skin::FixedPicture thumb = FindFixed(kLayout[i].thumb);
    if (!sliders_[i].Create(thumb.path, rect, Handle(), kLayout[i].id, thumb.scale)) continue;
    sliders_[i].SetFace(rect, pictures.main.get());
    sliders_[i].SetName(skin::NameOf(skin.ReadItem("SLIDERS", i + 1)));
  }
}

skin::SkinSlider* AdvancedPanelExpanded::Slider(int id) {
  for (int i = 0; i < kSliderCount; ++i)
    if (kLayout[i].id == id) return &sliders_[i];
  return nullptr;
}

void AdvancedPanelExpanded::ShowRecord(const settings::ProfileSet& record) {
  for (int i = 0; i < kSliderCount; ++i) {
    sliders_[i].SetRange(kLayout[i].min, kLayout[i].max);
    sliders_[i].SetPos(record.*kLayout[i].shows);
  }
}

}  // namespace panels

// SensitivityPanelExpanded: its controls, what they show, and what their reports store.
#include "panels/sensitivity_panel_expanded.h"

#include "skin/resource_ids.h"
#include "skin/skin_messages.h"

namespace panels {
namespace {

using settings::ProfileSet;

constexpr SwitchRule kSwitches[] = {
    {SensitivityPanelExpanded::kUniversalScrollSwitch, &ProfileSet::UniversalScrollEnabled},
    {SensitivityPanelExpanded::kDisplaySwitch, &ProfileSet::OFASensitivityViewable},
};
constexpr SliderRule kSliders[] = {
    {SensitivityPanelExpanded::kSensitivitySliderId, &ProfileSet::OFASensitivity, 18, 18},
};

constexpr int kTestButtonEntry = 5;
constexpr int kScrollLinesEntry = 1;
constexpr int kDoubleClickEntry = 2;
constexpr int kSensitivityEntry = 3;
// The double-click bar runs the other way: its left end is the slowest double click.
constexpr int kDoubleClickMirror = 1000;

}  // namespace

SensitivityPanelExpanded::SensitivityPanelExpanded(HWND mainWindow, std::string programFolder,
                                                   const win::LanguageLibrary* language)
    : PointerPanel(IDD_SENSITIVITY_EXPANDED, mainWindow, std::move(programFolder),
                   "skins\\skin_sens_expand.ini", kCodeCloseSensitivity, kSwitches, kSliders),
      language_(language) {}

void SensitivityPanelExpanded::CreateControls(const skin::SkinFile& skin,
                                              const skin::ScreenPictures& pictures) {
  CreateButtons(skin, pictures);
  CreateTestButton(skin);
  CreateBar(scrollLines_, skin, kScrollLinesEntry, kScrollLinesBarId, pictures);
  CreateBar(doubleClick_, skin, kDoubleClickEntry, kDoubleClickBarId, pictures);
  CreateSlider(skin, pictures);
}

void SensitivityPanelExpanded::CreateTestButton(const skin::SkinFile& skin) {
  test_.SetAnimationFile(ProgramPath("skins\\double_click.avi"));
  test_.SetSoundFile(ProgramPath("skins\\double_click.wav"));
  test_.Create(Handle(), skin.ReadRect("BUTTONPOS", kTestButtonEntry), language_);
  test_.SetName(skin::NameOf(skin.ReadItem("BUTTONPOS", kTestButtonEntry)));
}

void SensitivityPanelExpanded::CreateBar(skin::LevelBar& bar, const skin::SkinFile& skin, int entry,
                                         int id, const skin::ScreenPictures& pictures) {
  const RECT rect = skin.ReadRect("SLIDERS", entry);
  if (!bar.Create(rect, Handle(), id)) return;
  bar.SetFaces(rect, pictures.main.get(), pictures.down.get());
  bar.SetName(skin::NameOf(skin.ReadItem("SLIDERS", entry)));
}

// A thumb picture that cannot be loaded leaves the slider out; the panel works without it.
void SensitivityPanelExpanded::CreateSlider(const skin::SkinFile& skin,
                                            const skin::ScreenPictures& pictures) {
  const RECT rect = skin.ReadRect("SLIDERS", kSensitivityEntry);
  const skin::FixedPicture thumb = FindFixed("skins\\big_vsliderR.bmp");
  if (!sensitivity_.Create(thumb.path, rect, Handle(), kSensitivitySliderId, thumb.scale))
    return;
  sensitivity_.SetFace(rect, pictures.main.get());
  sensitivity_.SetName(skin::NameOf(skin.ReadItem("SLIDERS", kSensitivityEntry)));
  sensitivity_.SetPos(0);
}

void SensitivityPanelExpanded::ShowRecord(const settings::ProfileSet& record) {
  scrollLines_.SetRange(1, 18);
  scrollLines_.SetPos(record.WheelScrollLines);
  doubleClick_.SetRange(100, 900);
  doubleClick_.SetPos(kDoubleClickMirror - record.DoubleClickSpeed);
  sensitivity_.SetRange(0, 18);
  sensitivity_.SetPos(record.OFASensitivity);
}

bool SensitivityPanelExpanded::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<SensitivityPanelExpanded> kMap[] = {
      win::OnValue<&SensitivityPanelExpanded::OnLevelBarValue>(skin::kLevelBarValueMessage),
  };
  return Dispatch(kMap, m) || PointerPanel::ProcessMessage(m);
}

// The double-click time is the one value Windows gets at once, so that the test picture
// tries the speed just chosen.
LRESULT SensitivityPanelExpanded::OnLevelBarValue(int chosen, int id) {
  settings::ProfileSet* record = Record();
  if (!record) return 0;
  if (id == kDoubleClickBarId) {
    record->DoubleClickSpeed = kDoubleClickMirror - chosen;
    SetDoubleClickTime(static_cast<UINT>(kDoubleClickMirror - chosen));
  } else if (id == kScrollLinesBarId) {
    record->WheelScrollLines = chosen;
  }
  return 0;
}

}  // namespace panels

// PointerPanel: attaching the record, the switches and the stored slider values.
#include "panels/pointer_panel.h"

#include "skin/skin_messages.h"

namespace panels {

std::int32_t StoredSliderValue(const SliderRule& rule, int reported) {
  const auto value = static_cast<std::uint32_t>(reported);
  return value > rule.limit ? rule.replacement : static_cast<std::int32_t>(value);
}

PointerPanel::PointerPanel(UINT templateId, HWND mainWindow, std::string programFolder,
                           std::string skinPath, PanelCode arrowCode,
                           std::span<const SwitchRule, kSwitchCount> switches,
                           std::span<const SliderRule> sliders)
    : SidePanel(templateId, mainWindow, std::move(programFolder), std::move(skinPath), arrowCode),
      switchRules_(switches),
      sliderRules_(sliders) {}

skin::ScreenKeys PointerPanel::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, true, true, false, false};
}

skin::FaceSources PointerPanel::PanelFaces(const skin::ScreenPictures& pictures) {
  return skin::FaceSources{pictures.main, pictures.over, pictures.down, pictures.main};
}

void PointerPanel::CreateButtons(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) {
  const skin::FaceSources faces = PanelFaces(pictures);
  CreateArrowFromFace(skin, faces);
  for (int i = 0; i < kSwitchCount; ++i) {
    if (!CreateButton(switches_[i], skin, switchRules_[i].index, faces)) continue;
    switches_[i].SetToggleMode(true);
    switches_[i].SetLatched(false);  // the record decides, not the skin
  }
}

skin::SkinButton* PointerPanel::Switch(int index) {
  for (int i = 0; i < kSwitchCount; ++i)
    if (switchRules_[i].index == index) return &switches_[i];
  return nullptr;
}

void PointerPanel::AttachSettings(settings::SettingsSession& session) {
  record_ = &session.Current();
  OnRebuilt();
}

void PointerPanel::OnRebuilt() {
  if (!record_) return;
  for (int i = 0; i < kSwitchCount; ++i) switches_[i].SetLatched(record_->*switchRules_[i].field != 0);
  ShowRecord(*record_);
}

// Both panels keep their switches among BUTTONPOS "2" to "4"; "1" is the arrow.
constexpr int kFirstSwitchEntry = 2;
constexpr int kLastSwitchEntry = 4;

bool PointerPanel::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<PointerPanel> kMap[] = {
      win::Reply<PointerPanel, 1>(WM_ERASEBKGND),  // the face covers the panel
      win::OnControl<&PointerPanel::OnSwitch>(kFirstSwitchEntry, kLastSwitchEntry),
      win::OnValue<&PointerPanel::OnSliderValue>(skin::kSliderValueMessage),
  };
  return Dispatch(kMap, m) || SidePanel::ProcessMessage(m);
}

// A toggle button has flipped its latched state before it reports the click; the ordinary
// command processing goes on afterwards.
void PointerPanel::OnSwitch(int index) {
  for (int i = 0; i < kSwitchCount; ++i) {
    if (switchRules_[i].index == index && record_)
      record_->*switchRules_[i].field = switches_[i].Latched() ? 1 : 0;
  }
  PassOn();
}

LRESULT PointerPanel::OnSliderValue(int value, int id) {
  for (const SliderRule& rule : sliderRules_) {
    if (rule.id == id && record_) record_->*rule.field = StoredSliderValue(rule, value);
  }
  return 0;
}

}  // namespace panels

// PointerPanel: what the open sensitivity and advanced panels share: the record they edit in
// place, their two switches, and the rules by which a slider's report is stored.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "panels/side_panel.h"
#include "settings/profile_set.h"
#include "settings/settings_session.h"
#include "skin/skin_button.h"

namespace panels {

using RecordField = std::int32_t settings::ProfileSet::*;

// A switch (a toggle button at a BUTTONPOS entry) and the field its latched state goes to.
struct SwitchRule {
  int index;
  RecordField field;
};

// How a SkinSlider's report is stored: a value above `limit`, compared without sign (so a
// negative value too), stores `replacement` instead.
struct SliderRule {
  int id;
  RecordField field;
  std::uint32_t limit;
  std::int32_t replacement;
};

// The value a rule stores for a reported value.
std::int32_t StoredSliderValue(const SliderRule& rule, int reported);

class PointerPanel : public SidePanel {
 public:
  static constexpr int kSwitchCount = 2;

  // From now on the panel edits the session's current record in place; the controls show
  // it at once. Called again after every reload or switch of the settings.
  void AttachSettings(settings::SettingsSession& session);
  // The attached record, or null before AttachSettings.
  settings::ProfileSet* Record() const { return record_; }
  // The switch at a BUTTONPOS entry, or null.
  skin::SkinButton* Switch(int index);

 protected:
  PointerPanel(UINT templateId, HWND mainWindow, std::string programFolder, std::string skinPath,
               PanelCode arrowCode, std::span<const SwitchRule, kSwitchCount> switches,
               std::span<const SliderRule> sliders);

  // Mask, Main, Down and Over; the Main picture serves as the Disabled face.
  skin::ScreenKeys ScreenPictureKeys() const override;
  static skin::FaceSources PanelFaces(const skin::ScreenPictures& pictures);
  // The arrow and the two switches; a switch's latched state waits for AttachSettings.
  void CreateButtons(const skin::SkinFile& skin, const skin::ScreenPictures& pictures);
  // Shows the record in the panel's other controls (the switches are done already).
  virtual void ShowRecord(const settings::ProfileSet& record) = 0;
  void OnRebuilt() override;
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnSwitch(int index);
  LRESULT OnSliderValue(int value, int id);

  std::span<const SwitchRule, kSwitchCount> switchRules_;
  std::span<const SliderRule> sliderRules_;
  skin::SkinButton switches_[kSwitchCount];
  settings::ProfileSet* record_ = nullptr;  // the session's: not ours
};

}  // namespace panels

// The gallery's pointer panel windows over one sample record.
#include "gallery_panels.h"

#include "panels/advanced_panel_expanded.h"
#include "panels/configuration_dialog.h"
#include "panels/profile_switch_dialog.h"
#include "panels/sensitivity_panel_expanded.h"
#include "skin/resource_ids.h"
#include "skin/skin_message_box.h"
#include "skin/write_failed_box.h"

namespace gallery {
namespace {

// A record with something to show: switches on and off, sliders apart, button 8 of the current
// profile switching to profile 3, auto-save on.
settings::SettingsSession& SampleSession() {
  static settings::SettingsSession session;
  static bool filled = false;
  if (filled) return session;
  filled = true;
  settings::ProfileSet& r = session.Current();
  settings::SetDefaults(r);
  settings::Normalise(r, r);
  r.Profile = 1;
  r.UniversalScrollEnabled = 1;
  r.OFASensitivityViewable = 0;
  r.WheelScrollLines = 6;
  r.DoubleClickSpeed = 350;
  r.OFASensitivity = 13;
  r.AccelerationEnabled = 1;
  r.XYSensitivityEnabled = 0;
  r.SpeedX = 15;
  r.SpeedY = 6;
  r.MouseSensitivity = 12;
  r.AccelerationLevel = 4;
  r.AutoSaveEnable = 1;
  r.profiles[1].buttons[7].code = 20;
  return session;
}

// The open panels stand alone here; in the program they are popups of the main window.
template <class Panel>
std::unique_ptr<skin::SkinnedDialog> OpenAttached(std::unique_ptr<Panel> panel) {
  if (!panel->Create()) return nullptr;
  panel->AttachSettings(SampleSession());
  return panel;
}

template <class Dialog>
std::unique_ptr<skin::SkinnedDialog> Open(std::unique_ptr<Dialog> dialog) {
  if (!dialog->CreateModeless()) return nullptr;
  return dialog;
}

}  // namespace

std::unique_ptr<skin::SkinnedDialog> OpenPanelWindow(const std::string& name, const std::string& folder,
                                                     const win::LanguageLibrary* language) {
  settings::SettingsSession& session = SampleSession();
  if (name == "sensitivity_panel")
    return OpenAttached(std::make_unique<panels::SensitivityPanelExpanded>(nullptr, folder, language));
  if (name == "advanced_panel") return OpenAttached(std::make_unique<panels::AdvancedPanelExpanded>(nullptr, folder));
  if (name == "profile_switch") return Open(std::make_unique<panels::ProfileSwitchDialog>(nullptr, folder, session, 7));
  if (name == "configuration") return Open(std::make_unique<panels::ConfigurationDialog>(nullptr, folder, session));
  if (name == "write_failed") {
    const win::FileResult sample{win::FileFault::DiskFull,
                                 "C:\\Users\\\xC5\x81ukasz\\AppData\\Roaming\\USB Optical Mouse\\Mouse\\RerirUv.ini"};
    return Open(std::make_unique<skin::WriteFailedBox>(nullptr, folder, sample));
  }
  return nullptr;
}

}  // namespace gallery

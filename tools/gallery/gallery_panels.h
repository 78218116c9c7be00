// The pointer panels' own windows for the gallery: the open panels, the profile switch and
// configuration dialogs and the export-failed box, made by their real classes over a sample
// record, so that a screenshot shows what the program shows.
#pragma once

#include <memory>
#include <string>

#include "skin/skinned_dialog.h"
#include "win32/language_library.h"

namespace gallery {

// The window of that name ("sensitivity_panel", "advanced_panel", "profile_switch",
// "configuration", "write_failed"), created hidden and showing the sample record; null for
// another name or when it cannot be made.
std::unique_ptr<skin::SkinnedDialog> OpenPanelWindow(const std::string& name, const std::string& programFolder,
                                                     const win::LanguageLibrary* language);

}  // namespace gallery

// GalleryWindow: any description of the default skin opened as a generic skinned window,
// with buttons for its BUTTONPOS entries and the sliders and level bars of its SLIDERS.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "skin/double_click_test_button.h"
#include "skin/level_bar.h"
#include "skin/skin_button.h"
#include "skin/skin_slider.h"
#include "skin/skinned_dialog.h"
#include "win32/raii.h"

namespace gallery {

enum class SliderKind { None, Level, Vertical };

// How one SLIDERS entry of a window is shown.
struct SliderSpec {
  int key;
  SliderKind kind;
  const char* thumb;  // "skins\\..." for vertical sliders
};

// One window of the gallery: its description and what the generic window cannot read from it.
struct WindowSpec {
  const char* ini;                 // file name in the skins folder
  bool main2;                      // reads Main2 (the main window)
  bool down, over, disabled;       // [Screen] keys besides Mask and Main
  const char* arrow;               // "left"/"right": BUTTONPOS 1 takes its faces from the arrow pictures
  int doubleClickKey;              // BUTTONPOS entry shown as the double-click test, or 0
  std::vector<SliderSpec> sliders;
};

const std::vector<WindowSpec>& Windows();
const WindowSpec* FindWindowSpec(const std::string& ini);

class GalleryWindow : public skin::SkinnedDialog {
 public:
  GalleryWindow(const WindowSpec& spec, std::string programFolder, const win::LanguageLibrary* language);

 protected:
  skin::ScreenKeys ScreenPictureKeys() const override;
  void CreateControls(const skin::SkinFile& file, const skin::ScreenPictures& pictures) override;

 private:
  void CreateArrow(const skin::SkinFile& file);
  void CreateSliders(const skin::SkinFile& file, const skin::ScreenPictures& pictures);
  void CreatePictureControls();

  const WindowSpec& spec_;
  const win::LanguageLibrary* language_;
  std::vector<std::unique_ptr<skin::SkinButton>> buttons_;
  std::vector<std::unique_ptr<skin::LevelBar>> bars_;
  std::vector<std::unique_ptr<skin::SkinSlider>> sliders_;
  skin::DoubleClickTestButton doubleClick_;
  std::vector<skin::Picture> pictures_;  // the main window's picture controls show these
};

}  // namespace gallery

// GalleryWindow: the table of the default skin's windows and the generic window that shows one.
#include "gallery_window.h"

#include "app/resource.h"
#include "skin/skin_picture.h"

namespace gallery {
namespace {

constexpr int kHighestButtonKey = 30;  // the main window uses 1..26

// The main window's three picture controls: picture file and place (x, y, w, h).
struct PictureSpec {
  const char* file;
  RECT place;
};
const PictureSpec kMainPictures[] = {
    {"skins\\logo area.bmp", {0, 0, 162, 37}},
    {"skins\\main_mouse1.bmp", {155, 60, 155 + 338, 60 + 255}},
};

bool IsMainWindow(const WindowSpec& spec) { return spec.main2; }

}  // namespace

const std::vector<WindowSpec>& Windows() {
  static const std::vector<WindowSpec> windows = {
      {"skin_main.ini", true, true, true, true, nullptr, 0, {}},
      {"skin_menu.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_scroll_menu.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_basic_command.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_additional_command.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_media_menu.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_key_close.ini", false, false, false, false, "right", 0, {}},
      {"skin_key_expand.ini", false, true, true, true, "left", 0, {}},
      {"skin_sens_close.ini", false, false, false, false, "left", 0, {}},
      {"skin_sens_expand.ini", false, true, true, false, "right", 5,
       {{1, SliderKind::Level, nullptr}, {2, SliderKind::Level, nullptr},
        {3, SliderKind::Vertical, "skins\\big_vsliderR.bmp"}}},
      {"skin_advance_close.ini", false, false, false, false, "left", 0, {}},
      {"skin_advance_expand.ini", false, true, true, false, "right", 0,
       {{1, SliderKind::Vertical, "skins\\vsliderL.bmp"}, {2, SliderKind::Vertical, "skins\\vsliderR.bmp"},
        {3, SliderKind::Vertical, "skins\\vsliderL.bmp"}, {4, SliderKind::Vertical, "skins\\vsliderR.bmp"}}},
      {"skin_profile_set.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_config_set.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_reset_default.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_click_warn.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_warn_profile.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_write_failed.ini", false, true, true, true, nullptr, 0, {}},
      {"skin_program_profiles.ini", false, true, true, true, nullptr, 0, {}},
  };
  return windows;
}

const WindowSpec* FindWindowSpec(const std::string& ini) {
  for (const WindowSpec& spec : Windows()) {
    if (ini == spec.ini) return &spec;
  }
  return nullptr;
}

GalleryWindow::GalleryWindow(const WindowSpec& spec, std::string programFolder,
                             const win::LanguageLibrary* language)
    : SkinnedDialog(IDD_RESET_DEFAULT, nullptr, std::move(programFolder), std::string("skins\\") + spec.ini, {}),
      spec_(spec),
      language_(language) {}

skin::ScreenKeys GalleryWindow::ScreenPictureKeys() const {
  return skin::ScreenKeys{true, spec_.down, spec_.over, spec_.disabled, spec_.main2};
}

void GalleryWindow::CreateControls(const skin::SkinFile& file, const skin::ScreenPictures& pictures) {
  if (spec_.arrow) CreateArrow(file);
  for (int key = spec_.arrow ? 2 : 1; key <= kHighestButtonKey; ++key) {
    const std::string value = file.ReadString("BUTTONPOS", std::to_string(key).c_str());
    if (value.empty()) continue;
    if (key == spec_.doubleClickKey) {
      const skin::SkinItem item = skin::ParseSkinItem(value);
      doubleClick_.SetAnimationFile(ProgramPath("skins\\double_click.avi"));
      doubleClick_.SetSoundFile(ProgramPath("skins\\double_click.wav"));
      doubleClick_.Create(Handle(), skin::RectOf(item),
                          language_);
      continue;
    }
    buttons_.push_back(std::make_unique<skin::SkinButton>());
    CreateButton(*buttons_.back(), file, key, pictures.Faces());
  }
  CreateSliders(file, pictures);
  if (IsMainWindow(spec_)) CreatePictureControls();
}

// The arrow's faces are the top-left corner of the arrow pictures, not part of the window's.
void GalleryWindow::CreateArrow(const skin::SkinFile& file) {
  const std::string base = std::string("skins\\arrow_") + spec_.arrow + "_";
  skin::ScreenPictures arrow;
  SIZE size{};
  arrow.main = skin::LoadFixedPicture(ProgramFolder(), base + "normal.bmp", Scale().percent, size);
  arrow.over = skin::LoadFixedPicture(ProgramFolder(), base + "over.bmp", Scale().percent, size);
  arrow.down = skin::LoadFixedPicture(ProgramFolder(), base + "down.bmp", Scale().percent, size);
  const skin::SkinItem item = file.ReadItem("BUTTONPOS", 1);
  buttons_.push_back(std::make_unique<skin::SkinButton>());
  skin::SkinButton& button = *buttons_.back();
  if (!button.Create(Handle(), skin::RectOf(item))) return;
  button.SetFaces(RECT{0, 0, item.rect.Width(), item.rect.Height()},
                  skin::FaceSources{arrow.main, arrow.over, arrow.down, nullptr});
  button.SetLatched(item.latched);
  button.SetTooltip(item.tooltip, true);
}

void GalleryWindow::CreateSliders(const skin::SkinFile& file, const skin::ScreenPictures& pictures) {
  for (const SliderSpec& s : spec_.sliders) {
    const skin::SkinItem item = file.ReadItem("SLIDERS", s.key);
    const RECT rect = skin::RectOf(item);
    if (s.kind == SliderKind::Level) {
      bars_.push_back(std::make_unique<skin::LevelBar>());
      if (!bars_.back()->Create(rect, Handle(), s.key)) continue;
      bars_.back()->SetFaces(rect, pictures.main.get(), pictures.down.get());
      bars_.back()->SetRange(0, 10);
      bars_.back()->SetPos(3 + 2 * s.key);
    } else {
      sliders_.push_back(std::make_unique<skin::SkinSlider>());
      const skin::FixedPicture thumb = FindFixed(s.thumb);
      if (!sliders_.back()->Create(thumb.path, rect, Handle(), s.key, thumb.scale)) continue;
      sliders_.back()->SetFace(rect, pictures.main.get());
      sliders_.back()->SetRange(0, 18);
      sliders_.back()->SetPos(4 + 3 * s.key);
    }
  }
}

void GalleryWindow::CreatePictureControls() {
  for (const PictureSpec& p : kMainPictures) {
    SIZE size{};
    skin::Picture picture = skin::LoadFixedPicture(ProgramFolder(), p.file, Scale().percent, size);
    const RECT place = Px(p.place);
    HWND control = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top,
                                   Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (control && picture) SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    pictures_.push_back(std::move(picture));
  }
}

}  // namespace gallery

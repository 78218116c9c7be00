// SidePanel: creation, the arrow button and its request.
#include "panels/side_panel.h"

#include "skin/skin_file.h"
#include "skin/skin_picture.h"

namespace panels {

constexpr int kArrowIndex = 1;

SidePanel::SidePanel(UINT templateId, HWND mainWindow, std::string programFolder,
                     std::string skinPath, PanelCode arrowCode)
    : SkinnedDialog(templateId, mainWindow, std::move(programFolder), std::move(skinPath),
                    {.onlyButtons = true}),
      mainWindow_(mainWindow),
      arrowCode_(arrowCode) {}

bool SidePanel::Create() { return CreateModeless(); }

SIZE SidePanel::FaceSize() const {
  if (Handle() || faceSize_.cx > 0) return faceSize_;
  const skin::SkinFile skin(ProgramFolder(), SkinPath(), ScalePercent());
  faceSize_ = skin::PictureSize(skin.PicturePath("Main"), skin.Scale());
  return faceSize_;
}

LRESULT SidePanel::OnCreate() {
  const LRESULT result = SkinnedDialog::OnCreate();
  RECT r{};
  GetWindowRect(Handle(), &r);
  faceSize_ = SIZE{r.right - r.left, r.bottom - r.top};
  return result;
}

bool SidePanel::CreateArrowFromPictures(const skin::SkinFile& skin, const ArrowFaces& faces) {
  const std::string base = std::string("skins\\arrow_") + faces.direction + "_";
  const auto load = [&](const char* state) {
    SIZE size{};
    return skin::LoadFixedPicture(ProgramFolder(), base + state + ".bmp", Scale().percent, size);
  };
  const RECT cut = Px(faces.cut);
  return CreateButton(arrow_, skin, kArrowIndex,
                      skin::FaceSources{load("normal"), load("over"), load("down"), nullptr}, &cut);
}

bool SidePanel::CreateArrowFromFace(const skin::SkinFile& skin, const skin::FaceSources& faces) {
  return CreateButton(arrow_, skin, kArrowIndex, faces);
}

bool SidePanel::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<SidePanel> kMap[] = {
      win::OnControl<&SidePanel::OnArrow>(kArrowIndex),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

void SidePanel::OnArrow() { PostPanelCode(mainWindow_, arrowCode_); }

}  // namespace panels

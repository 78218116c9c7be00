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
  const skin::SkinFile skin(ProgramFolder(), SkinPath());
  faceSize_ = skin::PictureSize(skin.PicturePath("Main"));
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
  const std::string base = ProgramPath(std::string("skins\\arrow_") + faces.direction + "_");
  skin::ScreenPictures arrow;
  SIZE size{};
  arrow.main = skin::LoadPicture(base + "normal.bmp", size);
  arrow.over = skin::LoadPicture(base + "over.bmp", size);
  arrow.down = skin::LoadPicture(base + "down.bmp", size);
  return CreateButton(arrow_, skin, kArrowIndex,
                      skin::FaceSources{arrow.main, arrow.over, arrow.down, nullptr}, &faces.cut);
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

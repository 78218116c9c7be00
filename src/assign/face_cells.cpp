// FaceCells: loading the label sheet and giving buttons their faces.
#include "assign/face_cells.h"

#include "skin/skin_file.h"
#include "skin/skin_picture.h"

namespace assign {
namespace {

void Redraw(skin::SkinButton& button) {
  RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

void FaceCells::Load(const std::string& programFolder, int percent) {
  const skin::SkinFile sheet(programFolder, "skins\\skin_menu_all.ini", percent);
  const skin::SkinScale& scale = sheet.Scale();
  SIZE size{};
  sheet_.main = skin::LoadPicture(sheet.PicturePath("Main"), size, scale);
  sheet_.down = skin::FacePicture::OnFirstUse(sheet.PicturePath("Down"), scale);
  sheet_.over = skin::FacePicture::OnFirstUse(sheet.PicturePath("Over"), scale);
  sheet_.disabled = skin::FacePicture::OnFirstUse(sheet.PicturePath("Disabled"), scale);
  cells_.clear();
  for (int k = 1; k <= kFaceCellCount; ++k) {
    cells_.push_back(sheet.ReadRect("BUTTONINFO", k));
  }
}

void FaceCells::SetPlainKey(const skin::ScreenPictures& mainPictures, const RECT& buttonRect) {
  plainKey_ = mainPictures.Faces();
  plainRect_ = buttonRect;
}

void FaceCells::ShowCell(skin::SkinButton& button, int index, int extraWidth) const {
  if (index < 0 || index >= CellCount()) index = kUnassignedCellIndex;
  button.SetCaption("");
  if (index < CellCount()) {
    RECT cut = cells_[index];
    cut.right += extraWidth;
    button.SetFaces(cut, sheet_);
  }
  Redraw(button);
}

void FaceCells::ShowPlainKey(skin::SkinButton& button, const std::string& caption) const {
  button.SetCaption(caption);
  button.SetFaces(plainRect_, plainKey_);
  Redraw(button);
}

}  // namespace assign

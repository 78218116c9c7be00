// FaceCells: the pictures the main window's mouse buttons show: one cell of the label sheet
// ("skins\\skin_menu_all.ini") per function, and the plain key face that names a single key.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace assign {

// Cells of the sheet: 1..52 as the sheet's BUTTONINFO keys, and 53 and 54 for the two
// profile-switch functions that follow the five latched ones.
constexpr int kFaceCellCount = 54;
// What a button shows for a code the sheet has no picture of: the sheet's "Unassigned" cell.
constexpr int kUnassignedCellIndex = 43;

class FaceCells {
 public:
  // Loads the sheet's four pictures and its cell rectangles.
  void Load(const std::string& programFolder, int percent);
  // Cuts the plain key face from the main window's pictures at the rectangle of its first
  // mouse button; the rectangle is kept moved to the origin.
  void SetPlainKey(const skin::ScreenPictures& mainPictures, const RECT& buttonRect);

  // Gives a button the faces of cell `index` (0-based), without a caption; extraWidth widens
  // the cut on the right (the key panel's command buttons show the cell's drop-down end).
  void ShowCell(skin::SkinButton& button, int index, int extraWidth = 0) const;
  // Gives a button the plain key face with the key's name on it.
  void ShowPlainKey(skin::SkinButton& button, const std::string& caption) const;
  int CellCount() const { return static_cast<int>(cells_.size()); }

 private:
  skin::FaceSources sheet_;  // Down, Over and Disabled decoded when first drawn
  std::vector<RECT> cells_;
  // The main window's pictures, under the first mouse button's place.
  skin::FaceSources plainKey_;
  RECT plainRect_{0, 0, 0, 0};
};

}  // namespace assign

// Skin scale: which drawn set of a skin a window at a given display scale uses, and how lengths
// of that set and of the 100 percent skin become the window's pixels.
//
// A skin may carry sets drawn at other scales in subfolders of its "skins" folder named after
// the percentage ("skins\150\skin_main.ini", whose pictures and rectangles are all drawn at
// 150 percent). A window uses the set of its own scale where the skin has one, and otherwise the
// 100 percent files, which the program then scales itself, pictures and coordinates alike.
#pragma once

#include <string>

namespace skin {

// The length v drawn at scale from, at scale to, rounded to the nearest pixel (halves away from
// zero): the rule the skin generator scales every coordinate by.
int ScaleLength(int v, int to, int from);

struct SkinScale {
  int percent = 100;     // the window's display scale
  int setPercent = 100;  // the scale the skin files it reads were drawn at

  // A length read from the skin's files, in the window's pixels.
  int FromSet(int v) const { return ScaleLength(v, percent, setPercent); }
  // A length the program fixes at 100 percent (a margin, a font height), in the window's pixels.
  int FromBase(int v) const { return ScaleLength(v, percent, 100); }
  // Whether the pictures read must be scaled by the program.
  bool ScalesPictures() const { return percent != setPercent; }
};

// The path of a skin file inside the set drawn at percent: "skins\\skin_menu.ini" at 150 is
// "skins\\150\\skin_menu.ini". A path outside the skins folder, or percent 100, stays as it is.
std::string ScaledSetPath(const std::string& relative, int percent);
// The same for a picture the programs name by a fixed literal: the sets hold it as PNG
// ("skins\\arrow_left_normal.bmp" at 150 is "skins\\150\\arrow_left_normal.png").
std::string ScaledFixedPicturePath(const std::string& relative, int percent);

}  // namespace skin

// SkinFile: one skin description (an INI file under the program folder) and its picture paths.
// The file is read once, when the object is made.
#pragma once

#include <windows.h>

#include <string>

#include "win32/ini_text.h"
#include "skin/skin_item.h"
#include "skin/skin_scale.h"

namespace skin {

// An item's place in its window's client coordinates.
inline RECT RectOf(const SkinItem& item) {
  return RECT{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
}

class SkinFile {
 public:
  // programFolder ends in a backslash; relative is the description's name inside it
  // ("skins\\skin_menu.ini"). At a percent other than 100 the set drawn at that scale is read
  // where the skin has one, else the 100 percent description, whose values are then scaled.
  SkinFile(const std::string& programFolder, const std::string& relative, int percent = 100);

  const std::string& Path() const { return path_; }
  // The window's scale and the scale of the files read.
  const SkinScale& Scale() const { return scale_; }
  // The value as the private-profile reader would give it; missing files, sections and keys
  // read "".
  std::string ReadString(const char* section, const char* key) const;
  int ReadInt(const char* section, const char* key, int fallback) const;
  // An integer that is a length or a coordinate, in the window's pixels; fallback is one at
  // 100 percent.
  int ReadLength(const char* section, const char* key, int fallback) const;
  // The value of section/key parsed as a placement value, its rectangle in the window's pixels.
  SkinItem ReadItem(const char* section, const char* key) const;
  SkinItem ReadItem(const char* section, int index) const;
  // The place of the item section/index.
  RECT ReadRect(const char* section, int index) const { return RectOf(ReadItem(section, index)); }
  // Full path of the picture a [Screen] key names: program folder + "skins\\" + value.
  std::string PicturePath(const char* screenKey) const;

 private:
  std::string folder_;
  SkinScale scale_;
  std::string path_;
  win::IniText ini_;
};

}  // namespace skin
